#include "targets/TargetList.h"

#include <expat.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "base/UserMessage.h"
#include "targets/ReplaceExistingFile.h"
#include "targets/TargetAddress.h"
#include "targets/TargetXml.h"

namespace {

constexpr int kBlockSize = 256;

// ASCII only: the file is UTF-8 and other bytes must pass unchanged.
std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

struct TargetList::Handlers {
    static void XMLCALL start(void* list, const XML_Char* name, const XML_Char** attributes) {
        auto* self = static_cast<TargetList*>(list);
        self->startElement(name);
        if (std::string(name) != "fallback") return;
        for (const XML_Char** a = attributes; a && a[0] && a[1]; a += 2)
            if (std::string(a[0]) == "use") self->fallbackUse_ = a[1];
    }
    static void XMLCALL end(void* list, const XML_Char* name) {
        static_cast<TargetList*>(list)->endElement(name);
    }
    static void XMLCALL characters(void* list, const XML_Char* text, int length) {
        static_cast<TargetList*>(list)->text_.append(text, static_cast<size_t>(length));
    }
};

void TargetList::ParserDeleter::operator()(XML_ParserStruct* parser) const {
    XML_ParserFree(parser);
}

TargetList::TargetList() = default;
TargetList::~TargetList() = default;

bool TargetList::loadFile(const std::string& path) {
    targets.clear();
    activeCount = 0;

    parser_.reset(XML_ParserCreate(nullptr));
    if (!parser_) return false;
    XML_Parser parser = parser_.get();
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &Handlers::start, &Handlers::end);
    XML_SetCharacterDataHandler(parser, &Handlers::characters);
    text_.clear();
    insideLimits_ = false;
    depth_ = 0;
    rootEnded_ = false;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        showUserMessage("Unable to Load Targets");
        return false;
    }
    // Final only on an empty read: a file ending mid-document after a short
    // read keeps what it had and is not an error.
    bool ok = true;
    while (ok && !std::feof(file) && !std::ferror(file)) {
        void* buffer = XML_GetBuffer(parser, kBlockSize);
        if (!buffer) {
            ok = false;
            break;
        }
        const size_t count = std::fread(buffer, 1, kBlockSize, file);
        ok = XML_ParseBuffer(parser, static_cast<int>(count), count == 0) == XML_STATUS_OK;
    }
    std::fclose(file);
    if (selectedLocation.empty()) selectedLocation = "All";
    // A file cut short after a short read parses without error, but its
    // last targets are gone all the same.
    if (!ok || !rootEnded_) {
        readInPart_.insert(path);
        showUserMessage("Only " + std::to_string(targets.size()) + " targets could be read from " +
                        path +
                        "; it will not be overwritten. Fix it or choose another file in "
                        "Options. Changes made now are kept in " +
                        partialCopyPath(path) + ".");
    }
    return ok;
}

std::string TargetList::partialCopyPath(const std::string& path) { return path + ".qrn-new"; }

bool TargetList::saveFile(const std::string& path) {
    // A failed save says nothing; the list in memory stays as it is.
    const std::string bytes = targetListToXml(*this);
    if (!readInPart_.count(path)) {
        replaceExistingFile(path, bytes);
        return true;
    }
    const std::string copy = partialCopyPath(path);
    struct stat info;
    if (::stat(copy.c_str(), &info) == 0) {
        replaceExistingFile(copy, bytes);
    } else {
        std::ofstream out(copy, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    return true;
}

void TargetList::sortByName() {
    targets.sort([](const Target& a, const Target& b) { return a.name < b.name; });
}

void TargetList::startElement(const std::string& name) {
    ++depth_;
    text_.clear();
    fallbackUse_.clear();
    if (name == "target") {
        // A target without an "active" child reads as inactive, never as the
        // flag of the target before it.
        current_ = Target();
        fallbackUses_.clear();
    } else if (name == "limits") {
        insideLimits_ = true;
    }
}

void TargetList::endElement(const std::string& name) {
    if (--depth_ == 0) rootEnded_ = true;
    const std::string& text = text_;
    if (name == "name") {
        current_.name = text;
    } else if (name == "zurl") {
        current_.zurl = text;
    } else if (name == "website") {
        current_.website = text;
    } else if (name == "catalogue") {
        current_.catalogue = text;
    } else if (name == "recordcharset") {
        current_.recordCharset = text;
    } else if (name == "querycharset") {
        current_.queryCharset = text;
    } else if (name == "username") {
        current_.username = text;
    } else if (name == "password") {
        current_.password = text;
    } else if (name == "recsyntax") {
        // Lower-cased once the address is known (see "target" below).
        current_.recsyntax = text;
    } else if (name == "elementsetname") {
        current_.elementsetname = text;
        elementSetNames.insert(text);
    } else if (name == "location") {
        current_.location = text;
        locations.insert(text);
    } else if (name == "tag") {
        // emplace leaves an existing entry alone, so a selected tag stays selected.
        if (insideLimits_) {
            tagTable.emplace(text, true);
        } else {
            current_.tags.insert(text);
            tagTable.emplace(text, false);
        }
    } else if (name == "timeout") {
        current_.profile.timeoutSeconds = positiveNumber(text);
    } else if (name == "fallback") {
        const IndexFallback fallback{positiveNumber(fallbackUse_), positiveNumber(text)};
        if (fallback.use && fallback.replacement && fallbackUses_.insert(fallback.use).second)
            current_.profile.fallbacks.push_back(fallback);
    } else if (name == "proxy") {
        current_.profile.proxy = text;
    } else if (name == "unsupported") {
        current_.profile.unsupported = numberList(text);
    } else if (name == "home") {
        current_.home = text == "yes";
    } else if (name == "active") {
        current_.active = text == "yes";
    } else if (name == "target") {
        // Counted here so that a doubled "active" child cannot count twice.
        if (current_.active) ++activeCount;
        // An SRU target's field names a schema, which is case-sensitive.
        if (!isSruAddress(current_.zurl)) current_.recsyntax = lowerAscii(current_.recsyntax);
        current_.id = ++nextId;
        targets.push_back(current_);
    } else if (name == "selectedlocation") {
        selectedLocation = text;
    } else if (name == "limits") {
        insideLimits_ = false;
    }
}
