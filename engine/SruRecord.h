// What an XML record from an SRU target is, told by its root element's
// namespace (servers name their schemas as they like), and a MARCXML record
// made into ISO 2709 so that it goes the way a MARC record from Z39.50 goes.
#pragma once

#include <string>

#include "engine/XmlSchema.h"

struct SruXmlRecord {
    XmlSchema schema = OtherXml;
    // Only for MarcXml: the record in ISO 2709, UTF-8, leader position 9 'a';
    // empty when the MARCXML could not be read as a MARC record.
    std::string iso2709;
};

// Pure. Text that is no XML is OtherXml.
SruXmlRecord readSruXmlRecord(const std::string& xml);
