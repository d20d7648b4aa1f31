// searchRetrieve responses whose records come as escaped text: read as an XML
// parser reads them, whatever the text holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/sru/SruResponse.h"

namespace {

std::string response(const std::string& before, const std::string& recordText) {
    return "<?xml version=\"1.0\"?>\n" + before +
           "<zs:searchRetrieveResponse xmlns:zs=\"http://www.loc.gov/zing/srw/\">"
           "<zs:numberOfRecords>1</zs:numberOfRecords><zs:records><zs:record>"
           "<zs:recordSchema>marcxml</zs:recordSchema><zs:recordData>" +
           recordText + "</zs:recordData></zs:record></zs:records></zs:searchRetrieveResponse>";
}

std::vector<std::string> texts(const SruSearchResponse& r) {
    std::vector<std::string> out;
    for (const SruResponseRecord& record : r.records) out.push_back(record.xml);
    return out;
}

}  // namespace

TEST(SruResponseTest, EscapedRecordsReadAsAnXmlParserReadsThem) {
    using Texts = std::vector<std::string>;
    const std::string escaped =
        " &lt;r a=&quot;1&quot; b=&apos;2&apos;&gt;x &amp;amp; "
        "&#233;&#x41;&#X; ]]&lt;/r&gt; ";
    // A malformed reference is no XML at all.
    EXPECT_EQ(parseSruSearchResponse(response("", escaped)).error, "The answer is no XML");
    const std::string good =
        " &lt;r a=&quot;1&quot; b=&apos;2&apos;&gt;x &amp;amp; "
        "&#233;&#x41;\xC3\xA9 ]]&lt;/r&gt; ";
    const std::string want =
        "<r a=\"1\" b='2'>x &amp; \xC3\xA9"
        "A\xC3\xA9 ]]</r>";
    EXPECT_EQ(texts(parseSruSearchResponse(response("", good))), Texts{want});
    // Markup that only looks like a record, in a comment.
    EXPECT_EQ(texts(parseSruSearchResponse(
                  response("<!-- <zs:recordData>&lt;no/&gt;</zs:recordData> -->", good))),
              Texts{want});
    for (const char* bad : {"&nbsp;", "&#1;", "&#xD800;", "]]>", "\x01", "\xC3", "\xEF\xBF\xBE"})
        EXPECT_EQ(
            parseSruSearchResponse(response("", std::string("&lt;r&gt;") + bad + "&lt;/r&gt;"))
                .error,
            "The answer is no XML")
            << bad;
    // Line ends and other encodings as the parser has them.
    EXPECT_EQ(texts(parseSruSearchResponse(response("", "&lt;r&gt;a\r\nb\rc&#13;&lt;/r&gt;"))),
              Texts{"<r>a\nb\nc\r</r>"});
    std::string latin1 = response("", "&lt;r&gt;\xE9&lt;/r&gt;");
    latin1.replace(0, 21, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
    EXPECT_EQ(texts(parseSruSearchResponse(latin1)), Texts{"<r>\xC3\xA9</r>"});
}
