#include "export/ManyRecordFile.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <climits>
#include <cstring>
#include <utility>

#include "marc/MarcLeader.h"
#include "records/Record.h"
#include "export/FileExportText.h"
#include "xml/XmlErrorCapture.h"

namespace {

constexpr const char* kSlimNamespace = "http://www.loc.gov/MARC21/slim";

bool isSlim(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && node->ns && node->ns->href &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), kSlimNamespace) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

// A reference to an entity that the record's own DTD declares would be left
// undefined in the export file, which carries no DTD.
bool hasEntityReferences(const xmlNode* node) {
    for (; node; node = node->next) {
        if (node->type == XML_ENTITY_REF_NODE) return true;
        if (node->type != XML_ELEMENT_NODE) continue;
        for (const xmlAttr* a = node->properties; a; a = a->next)
            if (hasEntityReferences(a->children)) return true;
        if (hasEntityReferences(node->children)) return true;
    }
    return false;
}

// The element as text of its own: a copy made a root first, so namespaces
// declared further up in its document come along.
std::string serialized(const xmlNode* node, xmlDoc* scratch) {
    xmlNode* copy = xmlDocCopyNode(const_cast<xmlNode*>(node), scratch, 1);
    if (!copy) return {};
    xmlBuffer* buffer = xmlBufferCreate();
    std::string text;
    if (xmlSaveCtxt* save = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL)) {
        xmlSaveTree(save, copy);
        xmlSaveClose(save);
        text.assign(reinterpret_cast<const char*>(xmlBufferContent(buffer)),
                    static_cast<size_t>(xmlBufferLength(buffer)));
    }
    xmlBufferFree(buffer);
    xmlFreeNode(copy);
    return text;
}

// A MARC record whose bytes a reader of the sequence can step over: its
// leader's length must be its size, or every later record would be misread.
bool isWholeIso2709(const Record& record) {
    return record.kind == Marc && record.rawData.size() >= 24 &&
           MarcLeader(record.rawData).recordLength() == static_cast<int>(record.rawData.size());
}

}  // namespace

ManyRecordFile::ManyRecordFile(FileExportKind kind, MarcExportOptions options)
    : kind_(kind), options_(std::move(options)) {}

void ManyRecordFile::add(const Record& record) {
    switch (kind_) {
        case FileExportKind::Marc: {
            if (!isWholeIso2709(record)) {
                if (record.kind == Xml && record.xmlSchema == MarcXml) ++tooLongForMarc_;
                break;
            }
            if (options_.asReceived()) {
                bytes_ += record.rawData;
            } else {
                const std::string bytes = exportIso2709(record, options_);
                if (bytes.empty()) break;
                bytes_ += bytes;
            }
            ++written_;
            return;
        }
        case FileExportKind::MarcText: {
            const std::string text = exportMarcText(record, options_);
            if (text.empty()) break;
            if (!bytes_.empty()) bytes_ += '\n';
            bytes_ += text;
            ++written_;
            return;
        }
        case FileExportKind::Text: {
            const std::string& text = fileExportText(record, kind_);
            if (text.empty()) break;
            if (!bytes_.empty()) bytes_ += bytes_.back() == '\n' ? "\n" : "\n\n";
            bytes_ += text;
            ++written_;
            return;
        }
        case FileExportKind::Xml:
        case FileExportKind::XslTransformation:
            addXml(options_.drop.empty() ? fileExportText(record, kind_)
                                         : exportMarcXml(record, options_));
            return;
    }
    ++skipped_;
}

void ManyRecordFile::addXml(const std::string& xml) {
    const XmlErrorCapture quiet;  // a record that does not parse is counted, not reported
    xmlDoc* doc = xml.empty() || xml.size() > INT_MAX
                      ? nullptr
                      : xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc) : nullptr;
    if (!root || hasEntityReferences(root)) {
        if (doc) xmlFreeDoc(doc);
        ++skipped_;
        return;
    }
    xmlDoc* scratch = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    size_t marcRecords = 0;
    std::string other;
    if (isSlim(root, "record")) {
        bytes_ += serialized(root, scratch) + "\n";
        marcRecords = 1;
    } else if (isSlim(root, "collection")) {
        for (const xmlNode* child = root->children; child; child = child->next) {
            if (!isSlim(child, "record")) continue;
            bytes_ += serialized(child, scratch) + "\n";
            ++marcRecords;
        }
    } else {
        other = serialized(root, scratch);
    }
    xmlFreeDoc(scratch);
    xmlFreeDoc(doc);
    if (marcRecords == 0 && other.empty()) {
        ++skipped_;
        return;
    }
    marcXmlRecords_ += marcRecords;
    if (!other.empty()) otherXml_ += other + "\n";
    ++written_;
}

std::string ManyRecordFile::finish() {
    if (written_ == 0) return {};
    if (kind_ != FileExportKind::Xml && kind_ != FileExportKind::XslTransformation)
        return std::move(bytes_);
    const bool others = !otherXml_.empty();
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (others) out += "<records>\n";
    if (marcXmlRecords_ > 0) {
        out += "<collection xmlns=\"";
        out += kSlimNamespace;
        out += "\">\n" + bytes_ + "</collection>\n";
    }
    if (others) out += otherXml_ + "</records>\n";
    bytes_.clear();
    otherXml_.clear();
    return out;
}

std::string recordsWrittenText(FileExportKind kind, size_t written, size_t skipped,
                               size_t tooLong) {
    const char* reason = kind == FileExportKind::Marc || kind == FileExportKind::MarcText
                             ? "not MARC"
                         : kind == FileExportKind::Text ? "no text"
                                                        : "no XML";
    const std::string text = std::to_string(written) + (written == 1 ? " record" : " records") +
                             " written, " + std::to_string(skipped) + " skipped: " + reason;
    if (tooLong == 0) return text;
    return text + " (" + std::to_string(tooLong) +
           " MARCXML too long for ISO 2709; export them as XML)";
}
