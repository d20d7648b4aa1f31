#include "marc/UnicodeNfc.h"

#include <utf8proc.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "marc/Utf8.h"

std::string toNfc(std::string_view utf8) {
    bool ascii = true;
    for (const char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return std::string(utf8);
    utf8proc_uint8_t* out = nullptr;
    const utf8proc_ssize_t length =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                     static_cast<utf8proc_ssize_t>(utf8.size()), &out,
                     static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (length < 0) return std::string(utf8);
    std::string result(reinterpret_cast<const char*>(out), static_cast<size_t>(length));
    std::free(out);
    return result;
}

namespace {

bool declaresOtherEncoding(std::string_view xml) {
    if (xml.substr(0, 5) != "<?xml") return false;
    // A declaration is short; a document without its end is not searched through.
    std::string declaration(xml.substr(0, std::min<size_t>(xml.find("?>"), 200)));
    std::transform(declaration.begin(), declaration.end(), declaration.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t at = declaration.find("encoding");
    if (at == std::string::npos) return false;
    const size_t value = declaration.find_first_of("'\"", at);
    return value != std::string::npos && declaration.compare(value + 1, 5, "utf-8") != 0;
}

}  // namespace

std::string toNfcXml(std::string_view xml) {
    if (!isMultiByteUtf8(xml) || declaresOtherEncoding(xml)) return std::string(xml);
    std::string out;
    out.reserve(xml.size());
    size_t start = 0;
    while (start < xml.size()) {
        const size_t markup = xml.find_first_of("<>", start);
        const size_t end = markup == std::string_view::npos ? xml.size() : markup;
        out += toNfc(xml.substr(start, end - start));
        if (end < xml.size()) out += xml[end];
        start = end + 1;
    }
    return out;
}
