#include <gtest/gtest.h>

#include "MarcBuilder.h"
#include "engine/CopyGroupText.h"
#include "engine/Record.h"
#include "engine/RecordIdentifiers.h"

namespace {

struct Book {
    std::string title = "Pride and prejudice /";
    std::string nonfiling = "0";
    std::string author = "Austen, Jane,";
    std::string date = "1813.";
    std::vector<std::pair<std::string, MarcSubfields>> fields;
    char level = ' ';
};

Record record(int32_t number, int32_t target, const Book& book) {
    std::string leader = "00000nam a2200000 a 4500";
    leader[17] = book.level;
    MarcBuilder marc(leader);
    marc.control("001", std::to_string(number));
    for (const auto& [tag, subfields] : book.fields) marc.data(tag, "  ", subfields);
    marc.data("100", "1 ", {{'a', book.author}});
    marc.data("245", "1" + book.nonfiling, {{'a', book.title}});
    marc.data("260", "  ", {{'a', "London :"}, {'c', book.date}});
    Record r;
    r.number = number;
    r.targetId = target;
    r.kind = Marc;
    r.rawData = marc.build();
    return r;
}

Book withField(const std::string& tag, MarcSubfields subfields, Book book = {}) {
    book.fields.emplace_back(tag, std::move(subfields));
    return book;
}

}  // namespace

TEST(CopyGroupingTest, IdentifiersInNormalForm) {
    Book book = withField("020", {{'a', "0-306-40615-2 (pbk.)"}, {'z', "0-19-853453-1"}});
    book = withField("020", {{'a', "978 0 306 40615 7"}}, book);
    book = withField("010", {{'a', "  85-2 //r86"}}, book);
    book = withField("022", {{'a', "0378-5955"}}, book);
    book = withField("035", {{'a', "(OCoLC)ocm0063111280"}, {'a', "(DLC)123"}}, book);
    const RecordIdentifiers ids = recordIdentifiers(record(1, 1, book).rawData);
    EXPECT_EQ(ids.keys, (std::vector<std::string>{"isbn:9780306406157", "lccn:85000002",
                                                  "issn:03785955", "oclc:63111280"}));
    EXPECT_EQ(ids.workKey, "work:pride and prejudice/austen/1813/");

    EXPECT_EQ(oclcNormalForm("(OCoLC)on1234567890"), "1234567890");
    EXPECT_EQ(oclcNormalForm("(OCoLC)ocn012345"), "12345");
    EXPECT_EQ(oclcNormalForm("ocm012345"), "");
    EXPECT_EQ(lccnNormalForm("n78-890351"), "n78890351");
    EXPECT_EQ(lccnNormalForm("2001-1234"), "2001001234");
    EXPECT_EQ(lccnNormalForm(" sn 78003579 "), "sn78003579");
    EXPECT_EQ(titleNormalForm("The  Hobbit, or, There and back again.", 4),
              "hobbit or there and back again");
}

TEST(CopyGroupingTest, SharingIsTransitiveAndNumbersKeepEditionsApart) {
    CopyGrouping grouping;
    // 1 and 3 share nothing directly: 2 links them by ISBN and OCLC number.
    grouping.add(record(1, 1, withField("020", {{'a', "0306406152"}})));
    grouping.add(record(
        2, 2, withField("035", {{'a', "(OCoLC)42"}}, withField("020", {{'a', "9780306406157"}}))));
    grouping.add(record(3, 3, withField("035", {{'a', "(OCoLC)ocm00042"}})));
    // Same title, author and date, another ISBN: the paperback stays apart.
    grouping.add(record(4, 1, withField("020", {{'a', "0-19-853453-1"}})));
    // No numbers: joins the first group of its work, the article not counted.
    Book bare;
    bare.title = "The pride and prejudice";
    bare.nonfiling = "4";
    grouping.add(record(5, 2, bare));
    // Another date: a work of its own.
    bare.date = "c1995";
    grouping.add(record(6, 2, bare));

    const std::vector<CopyGroup> groups = grouping.groups();
    ASSERT_EQ(groups.size(), 3u);
    // 2 has the most fields.
    EXPECT_EQ(groups[0].members, (std::vector<int32_t>{2, 1, 3, 5}));
    EXPECT_EQ(groups[0].reasonKey, "isbn:9780306406157");
    EXPECT_EQ(groupCopiesText(groups[0]), "4 copies, 3 targets");
    EXPECT_EQ(groupReasonText(groups[0].reasonKey), "ISBN 9780306406157");
    EXPECT_EQ(groups[1].members, (std::vector<int32_t>{4}));
    EXPECT_EQ(groups[1].reasonKey, "-");
    EXPECT_EQ(groups[2].members, (std::vector<int32_t>{6}));
}

TEST(CopyGroupingTest, RecordsWithoutNumbersGroupByWorkAndLetAFirstNumberedCopyIn) {
    CopyGrouping grouping;
    grouping.add(record(1, 1, Book{}));
    grouping.add(record(2, 2, Book{}));
    grouping.add(record(3, 3, withField("020", {{'a', "0306406152"}})));
    grouping.add(record(4, 3, withField("020", {{'a', "0198534531"}})));
    const std::vector<CopyGroup> groups = grouping.groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].members, (std::vector<int32_t>{3, 1, 2}));
    EXPECT_EQ(groups[0].reasonKey, "work:pride and prejudice/austen/1813/");
    EXPECT_EQ(groupReasonText(groups[0].reasonKey), "title, author, date");
}

TEST(CopyGroupingTest, BestCopyFirstAndTheUsersChanges) {
    const MarcSubfields isbn = {{'a', "0306406152"}};
    Book minimal = withField("020", isbn);
    minimal.level = '7';
    Book rda = withField("040", {{'a', "DLC"}, {'e', "rda"}}, withField("020", isbn));
    Book pcc = withField("042", {{'a', "pcc"}}, withField("020", isbn));
    Book longer = withField("650", {{'a', "Courtship"}}, withField("020", isbn));
    CopyGrouping grouping;
    grouping.add(record(1, 1, minimal));
    grouping.add(record(2, 2, longer));
    grouping.add(record(3, 3, rda));
    grouping.add(record(4, 4, pcc));
    EXPECT_EQ(grouping.groups()[0].members, (std::vector<int32_t>{4, 1, 2, 3}));
    grouping.add(record(5, 4, Book{}));
    EXPECT_EQ(grouping.groups()[0].members.size(), 5u);

    grouping.takeOut(4);
    std::vector<CopyGroup> groups = grouping.groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].members, (std::vector<int32_t>{3, 1, 2, 5}));
    EXPECT_EQ(groups[1].reasonKey, "-");
    grouping.join({4, 1});
    groups = grouping.groups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].reasonKey, "joined");
    EXPECT_EQ(groups[0].best(), 4);
}

TEST(CopyGroupingTest, QualityMarksOfARecord) {
    Book book = withField("042", {{'a', "pcc"}},
                          withField("040", {{'a', "DLC"}, {'b', "eng"}, {'e', "rda"}}));
    book = withField("050", {{'a', "PR4034"}}, withField("650", {{'a', "Sisters"}}, book));
    book.level = '8';
    const QualityMarks marks = qualityMarks(record(1, 1, book).rawData);
    EXPECT_EQ(qualityMarksText(marks),
              "prepublication · PCC · RDA · 8 fields · subjects · class · DLC");
    EXPECT_FALSE(qualityMarks("").marc);
    EXPECT_EQ(qualityMarksText(qualityMarks("")), "");
}
