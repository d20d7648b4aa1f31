// MARCXML read in one streaming pass straight into ISO 2709, without a
// document tree: the cost of a large SRU fetch is mostly this step.
#pragma once

#include <string>
#include <vector>

struct MarcXmlSaxResult {
    // The text was a MARCXML record or collection, read to its end.
    bool ok = false;
    // Each record in ISO 2709 (UTF-8, leader position 9 'a'); an empty one
    // is too long for ISO 2709.
    std::vector<std::string> records;
};

// Pure. Not ok for anything the fast path does not cover (other XML, a
// leader with unusual lengths, a tag that is not three characters): the
// caller then takes the slower, general way.
MarcXmlSaxResult readMarcXmlSax(const std::string& xml);
