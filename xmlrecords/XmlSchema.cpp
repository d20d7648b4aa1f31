#include "xmlrecords/XmlSchema.h"

#include <algorithm>

XmlSchema xmlSchemaFromElementSetName(const std::string& elementSetName) {
    std::string name = elementSetName;
    // Byte-wise: element set names are ASCII, and the locale must not matter.
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    if (name == "marcxml") return MarcXml;
    if (name == "mods") return Mods;
    if (name == "dc") return DublinCore;
    return OtherXml;
}
