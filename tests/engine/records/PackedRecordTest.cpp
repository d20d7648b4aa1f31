// A record the store packs comes back whole: every field, texts with NULs and
// empty ones, and an unpack into a used Record leaves nothing of its old values.
#include <gtest/gtest.h>

#include "records/PackedRecord.h"

namespace {

Record everyFieldSet(int32_t n) {
    Record r;
    r.number = n;
    r.title = "Title " + std::to_string(n);
    r.author = std::string("Au\0thor", 7);
    r.date = "";  // an empty text between others
    r.targetId = 40 + n;
    r.batchQuery = 7;
    r.targetName = "Target " + std::to_string(n % 2);
    r.renderedText = std::string(70000, 'r');  // longer than 16 bits
    r.kind = Opac;
    r.xmlSchema = DublinCore;
    r.syntax = "opac";
    r.xmlText = "<dc/>";
    r.rawData = std::string("00026\0raw", 9);
    r.formsDeferred = true;
    r.charsetChoice = 0xA5;
    r.replacements = 123456;
    return r;
}

void expectSame(const Record& a, const Record& b) {
    EXPECT_EQ(a.number, b.number);
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.author, b.author);
    EXPECT_EQ(a.date, b.date);
    EXPECT_EQ(a.targetId, b.targetId);
    EXPECT_EQ(a.batchQuery, b.batchQuery);
    EXPECT_EQ(a.targetName, b.targetName);
    EXPECT_EQ(a.renderedText, b.renderedText);
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.xmlSchema, b.xmlSchema);
    EXPECT_EQ(a.syntax, b.syntax);
    EXPECT_EQ(a.xmlText, b.xmlText);
    EXPECT_EQ(a.rawData, b.rawData);
    EXPECT_EQ(a.formsDeferred, b.formsDeferred);
    EXPECT_EQ(a.charsetChoice, b.charsetChoice);
    EXPECT_EQ(a.replacements, b.replacements);
}

}  // namespace

TEST(PackedRecordTest, EveryFieldComesBackAndBriefAndRawViewsAgree) {
    InternTable names;
    const Record one = everyFieldSet(1);
    const Record two = everyFieldSet(2);
    const PackedRecord a(one, names);
    const PackedRecord b(two, names);

    Record out = everyFieldSet(9);
    out.title = std::string(100, 'x');
    out.formsDeferred = false;
    a.unpack(names, out);
    expectSame(out, one);
    b.unpack(names, out);
    expectSame(out, two);
    // A default record packs to one that is default again.
    PackedRecord(Record(), names).unpack(names, out);
    expectSame(out, Record());

    const BriefFields brief = a.brief(names);
    EXPECT_EQ(brief.number, one.number);
    EXPECT_EQ(brief.targetId, one.targetId);
    EXPECT_EQ(brief.batchQuery, one.batchQuery);
    EXPECT_EQ(brief.replacements, one.replacements);
    EXPECT_EQ(brief.title, one.title);
    EXPECT_EQ(brief.author, one.author);
    EXPECT_EQ(brief.date, one.date);
    EXPECT_EQ(brief.targetName, one.targetName);
    const RawRecordView raw = b.raw();
    EXPECT_EQ(raw.number, two.number);
    EXPECT_EQ(raw.targetId, two.targetId);
    EXPECT_EQ(raw.kind, two.kind);
    EXPECT_EQ(raw.rawData, two.rawData);
}
