// Records sent as escaped text are most of an SRU response's bytes, and
// libxml2 reads such text a character reference at a time. They are lifted
// out of the response before it is parsed, and unescaped here in one sweep.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct LiftedRecordTexts {
    // The response with the text of each lifted recordData left out.
    std::string skeleton;
    struct Text {
        // Where the text stood in skeleton: just after its start tag.
        size_t at = 0;
        std::string_view escaped;
    };
    std::vector<Text> texts;
};

// Pure. Every "<recordData>text</recordData>" (any prefix) found in the bytes;
// the parser of skeleton must confirm each by its position, since one may
// stand in a comment. No texts when the response is not plainly UTF-8 or
// declares a document type.
LiftedRecordTexts liftRecordTexts(const std::string& response);

// Pure. The character data of escaped as an XML parser gives it, appended to
// out. False, out unchanged, for anything a well-formed document would not
// hold there, and for a carriage return, whose line-end rules are left to the
// parser.
bool unescapeXmlText(std::string_view escaped, std::string& out);
