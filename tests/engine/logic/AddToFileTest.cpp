#include <gtest/gtest.h>

#include <string>

#include "MarcBuilder.h"
#include "records/MarcForms.h"
#include "records/Record.h"
#include "export/AddToFile.h"

namespace {

Record marc(const std::string& title) {
    Record r;
    r.kind = Marc;
    r.rawData = MarcBuilder("00000nam a2200000 a 4500")
                    .control("001", title)
                    .data("245", "10", {{'a', title}})
                    .build();
    r.formsDeferred = true;
    completeRecordForms(r);
    return r;
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size()) ++count;
    return count;
}

AddedFile addBoth(FileExportKind kind) {
    const AddedFile first = addRecordToFile({}, marc("One"), kind, {});
    EXPECT_EQ(first.records, 1u);
    EXPECT_TRUE(first.error.empty());
    return addRecordToFile(first.bytes, marc("Two"), kind, {});
}

}  // namespace

TEST(AddToFileTest, KindBySuffix) {
    EXPECT_EQ(addToFileKind("day.MRK"), FileExportKind::MarcText);
    EXPECT_EQ(addToFileKind("day.xml"), FileExportKind::Xml);
    EXPECT_EQ(addToFileKind("day.mrc"), FileExportKind::Marc);
    EXPECT_EQ(addToFileKind("xml"), FileExportKind::Marc);
}

TEST(AddToFileTest, Iso2709RecordsFollowEachOther) {
    const AddedFile file = addBoth(FileExportKind::Marc);
    EXPECT_EQ(file.records, 2u);
    EXPECT_EQ(file.bytes, marc("One").rawData + marc("Two").rawData);
    const AddedFile refused = addRecordToFile("not marc\n", marc("One"), FileExportKind::Marc, {});
    EXPECT_TRUE(refused.bytes.empty());
    EXPECT_FALSE(refused.error.empty());
}

TEST(AddToFileTest, MarcTextRecordsApartByOneBlankLine) {
    const AddedFile file = addBoth(FileExportKind::MarcText);
    EXPECT_EQ(file.records, 2u);
    EXPECT_EQ(occurrences(file.bytes, "\n\n=LDR"), 1u);
    EXPECT_EQ(occurrences(file.bytes, "\n\n\n"), 0u);
    EXPECT_EQ(addRecordToFile(file.bytes + "\n", marc("3"), FileExportKind::MarcText, {}).bytes,
              addRecordToFile(file.bytes, marc("3"), FileExportKind::MarcText, {}).bytes);
    EXPECT_FALSE(addRecordToFile("<x/>", marc("3"), FileExportKind::MarcText, {}).error.empty());
}

TEST(AddToFileTest, MarcXmlKeepsOneCollection) {
    const AddedFile file = addBoth(FileExportKind::Xml);
    EXPECT_EQ(file.records, 2u);
    EXPECT_EQ(occurrences(file.bytes, "<collection"), 1u);
    EXPECT_EQ(occurrences(file.bytes, "<?xml"), 1u);
    EXPECT_NE(file.bytes.find(">One<"), std::string::npos);
    EXPECT_NE(file.bytes.find(">Two<"), std::string::npos);
    const AddedFile third = addRecordToFile(file.bytes, marc("Three"), FileExportKind::Xml, {});
    EXPECT_EQ(third.records, 3u);
    for (const std::string& old : {std::string("plain text"), std::string("<mods/>")}) {
        const AddedFile refused = addRecordToFile(old, marc("One"), FileExportKind::Xml, {});
        EXPECT_FALSE(refused.error.empty()) << old;
        EXPECT_TRUE(refused.bytes.empty());
    }
}

TEST(AddToFileTest, StatusText) {
    EXPECT_EQ(addedText(1, "today.mrc", 12), "Added 1 record to today.mrc, 12 in the file");
    EXPECT_EQ(addedText(2, "today.mrc", 1), "Added 2 records to today.mrc, 1 in the file");
}
