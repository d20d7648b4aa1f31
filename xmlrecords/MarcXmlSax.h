// MARCXML read in one streaming pass straight into ISO 2709, without a
// document tree: the cost of a large SRU fetch is mostly this step.
#pragma once

#include <libxml/parser.h>

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

// The same reading fed with the SAX2 events of one record or collection
// element and what it holds, so that a document carrying MARCXML inside it is
// read in its own single pass.
class MarcXmlSaxReader {
public:
    // Each returns false, and keeps doing so, once the element is not the
    // MARCXML the fast path covers.
    bool start(const xmlChar* name, const xmlChar* uri, int attributeCount,
               const xmlChar** attributes);
    bool end(const xmlChar* name);
    void characters(const xmlChar* text, int length);

    bool failed() const { return failed_; }
    // The records of a whole element, as readMarcXmlSax gives them.
    std::vector<std::string>& records() { return records_; }

private:
    enum class Text { None, Leader, Control, Subfield };

    bool fail();
    void startField(int attributeCount, const xmlChar** attributes);
    bool endField();
    // False for a leader whose lengths differ from MARC 21's.
    bool endRecord();

    std::vector<std::string> records_;
    bool failed_ = false;
    int depth_ = 0;
    int recordDepth_ = -1;
    Text text_ = Text::None;
    std::string leader_;
    std::string directory_;
    std::string data_;
    char fieldTag_[3] = {};
    bool tagFits_ = false;
    size_t fieldStart_ = 0;
};
