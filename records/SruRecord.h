// What an XML record from an SRU target is, told by its root element's
// namespace (servers name their schemas as they like), and the MARC records a
// MARCXML record or collection holds, in ISO 2709 where they fit in it, so
// that they go the way a MARC record from Z39.50 goes.
#pragma once

#include <string>
#include <vector>

#include "records/BriefMarcHandler.h"
#include "xmlrecords/XmlSchema.h"

struct SruMarcRecord {
    // ISO 2709, UTF-8, leader position 9 'a'. Empty when the record does not
    // fit in ISO 2709 (over 99,999 bytes): marcXml then holds it whole.
    std::string iso2709;
    std::string marcXml;
};

struct SruXmlRecord {
    XmlSchema schema = OtherXml;
    // MarcXml only: each record it holds, a collection's in order; empty when
    // none could be read as a MARC record.
    std::vector<SruMarcRecord> marc;
};

// Pure. Text that is no XML is OtherXml.
SruXmlRecord readSruXmlRecord(const std::string& xml);

// Pure. The brief fields of a MARCXML record, the same as of that record in
// ISO 2709.
BriefMarcHandler briefMarcXmlFields(const std::string& marcXml);
