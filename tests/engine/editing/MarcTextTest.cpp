// MARC text read back into a record: what export writes comes back the same,
// and what cannot be read is said, not dropped in silence.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "editor/MarcText.h"
#include "marc/CleanIso2709.h"
#include "marc/Iso2709Splitter.h"
#include "export/MarcExportForm.h"

TEST(MarcText, RealRecordsComeBackAsExportWroteThem) {
    for (const char* name : {"loc-opera.mrc", "zebra-sample-marc.mrc", "rubina-marc8.mrc"}) {
        const std::string bytes =
            readFileBytes(std::string(QRN_SOURCE_DIR) + "/tests/data/marc/" + name);
        const MarcCharset charset = std::string(name).find("marc8") != std::string::npos
                                        ? MarcCharset::Marc8
                                        : MarcCharset::Utf8;
        for (const std::string_view record : splitIso2709(bytes)) {
            const std::string clean = cleanIso2709(record, charset);
            if (clean.empty()) continue;  // no leader to read
            const std::string text = marcTextFromCleanIso2709(clean);
            const MarcTextParse parse = parseMarcText(text);
            EXPECT_TRUE(parse.problems.empty()) << name << "\n" << text;
            EXPECT_EQ(parse.record, marcFieldsFromIso2709(clean)) << name;
            EXPECT_EQ(marcTextOf(parse.record), text) << name;
        }
    }
}

TEST(MarcText, EscapesBlanksAndLines) {
    const MarcTextParse parse = parseMarcText(
        "=LDR  00000nam\\\\2200000\\a\\4500\r\n"
        "\n"
        "=008  910710s1991\\\\\\\\nju\n"
        "=245  1\\$aPrice {dollar}5 {lcub}sic{rcub} C:\\dir {bsol} {other}$bRest\n"
        "=500  \\\\\n");
    ASSERT_TRUE(parse.problems.empty());
    EXPECT_EQ(parse.record.leader, "00000nam  2200000 a 4500");
    ASSERT_EQ(parse.record.fields.size(), 3u);
    EXPECT_EQ(parse.record.fields[0].data, "910710s1991    nju");
    const MarcFieldData& title = parse.record.fields[1];
    EXPECT_EQ(title.indicator1, '1');
    EXPECT_EQ(title.indicator2, ' ');
    ASSERT_EQ(title.subfields.size(), 2u);
    EXPECT_EQ(title.subfields[0].second, "Price $5 {sic} C:\\dir \\ {other}");
    EXPECT_EQ(title.subfields[1], (std::pair<char, std::string>('b', "Rest")));
    EXPECT_TRUE(parse.record.fields[2].subfields.empty());
    EXPECT_EQ(parse.fieldLines, (std::vector<size_t>{2, 3, 4}));
}

TEST(MarcText, UnreadableLinesAreProblemsWithTheirLine) {
    const MarcTextParse parse = parseMarcText(
        "=LDR  00000nam\\\\2200000\\a\\4500\n"
        "just a note\n"
        "=245  1\n"
        "=246  10Title without code\n"
        "=247  10$aTitle$\n"
        "=LDR  00000nam\\\\2200000\\a\\4500\n"
        "=250  \\\\$aOne\x1F"
        "bTwo\n"
        "=500  \\\\$aKept\n");
    std::vector<size_t> lines;
    for (const MarcTextProblem& problem : parse.problems) lines.push_back(problem.line);
    EXPECT_EQ(lines, (std::vector<size_t>{1, 2, 3, 4, 5, 6}));
    ASSERT_EQ(parse.record.fields.size(), 1u);
    EXPECT_EQ(parse.record.fields[0].tag, "500");
    EXPECT_EQ(parse.fieldLines, (std::vector<size_t>{7}));
}

TEST(MarcFields, WrittenRecordsReadBackWithComputedLengths) {
    MarcFields record;
    record.leader = "xxxxxnam";  // short, and no numbers
    MarcFieldData number;
    number.tag = "001";
    number.data = "42";
    MarcFieldData title;
    title.tag = "245";
    title.indicator1 = '1';
    title.subfields = {{'a', "T"}, {'c', ""}};
    record.fields = {number, title};
    const std::string iso = marcFieldsToIso2709(record);
    EXPECT_EQ(iso.substr(0, 5), "000" + std::to_string(iso.size()));
    EXPECT_EQ(iso.substr(10, 7), "2200049");
    MarcFields back = marcFieldsFromIso2709(iso);
    EXPECT_EQ(back.leader, "000" + std::to_string(iso.size()) + "nam  2200049   4500");
    back.leader = record.leader;
    EXPECT_EQ(back.fields, record.fields);
}

// What the writer escapes in control fields and indicators (a backslash, a
// control character) reads back as the bytes it stood for.
TEST(MarcText, ControlFieldsAndIndicatorsReadTheWritersMnemonics) {
    MarcFields record;
    record.leader = "00000nam  2200000 a 4500";
    MarcFieldData control;
    control.tag = "007";
    control.data = "c\\ \x08";
    MarcFieldData data;
    data.tag = "500";
    data.indicator1 = '\x08';
    data.indicator2 = ' ';
    data.subfields.emplace_back('a', "x");
    record.fields = {control, data};
    const MarcTextParse parse = parseMarcText(marcTextOf(record));
    ASSERT_TRUE(parse.problems.empty());
    ASSERT_EQ(parse.record.fields.size(), 2u);
    EXPECT_EQ(parse.record.fields[0].data, "c\\ \x08");
    EXPECT_EQ(parse.record.fields[1].indicator1, '\x08');
    EXPECT_EQ(parse.record.fields[1].indicator2, ' ');
}
