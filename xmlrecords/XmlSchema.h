// The schema of an XML record, told by the element set name of the target
// that sent it.
#pragma once

#include <cstdint>
#include <string>

enum XmlSchema : int32_t { MarcXml = 0, Mods = 1, DublinCore = 2, OtherXml = 3 };

// Pure. "marcxml", "mods" and "dc" in any case; anything else is OtherXml.
XmlSchema xmlSchemaFromElementSetName(const std::string& elementSetName);
