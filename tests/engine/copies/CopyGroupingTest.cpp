#include <gtest/gtest.h>

#include "MarcBuilder.h"
#include "copies/CopyGroupText.h"
#include "records/Record.h"
#include "copies/RecordIdentifiers.h"
#include "records/ResultStore.h"
#include "query/BatchReport.h"

namespace {

struct Book {
    std::string title = "Pride and prejudice /";
    std::string nonfiling = "0";
    std::string author = "Austen, Jane,";
    std::string date = "1813.";
    std::string subtitle, part;  // 245 $b, $n
    std::vector<std::pair<std::string, MarcSubfields>> fields;
    char level = ' ';
};

Record record(int32_t number, int32_t target, const Book& book) {
    std::string leader = "00000nam a2200000 a 4500";
    leader[17] = book.level;
    MarcBuilder marc(leader);
    marc.control("001", std::to_string(number));
    for (const auto& [tag, subfields] : book.fields) marc.data(tag, "  ", subfields);
    if (!book.author.empty()) marc.data("100", "1 ", {{'a', book.author}});
    MarcSubfields title = {{'a', book.title}};
    if (!book.subtitle.empty()) title.push_back({'b', book.subtitle});
    if (!book.part.empty()) title.push_back({'n', book.part});
    marc.data("245", "1" + book.nonfiling, title);
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

Book isbns(const std::vector<std::string>& numbers, Book book = {}) {
    for (const std::string& n : numbers) book = withField("020", {{'a', n}}, book);
    return book;
}

std::vector<std::vector<int32_t>> membersOf(const CopyGrouping& grouping) {
    std::vector<std::vector<int32_t>> out;
    for (const CopyGroup& g : grouping.groups()) out.push_back(g.members);
    return out;
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

TEST(CopyGroupingTest, ARecordListingManyBooksJoinsNoneOfThem) {
    // A publisher's list and a set record by the books' own author: each
    // carries every book's ISBN.
    Book list, set;
    list.title = "Spring list";
    list.author = "Harbour Press";
    set.title = "Collected novels";
    for (int i = 0; i < 20; ++i) {
        const std::string isbn = "97801" + std::to_string(10000000 + i);
        list = isbns({isbn}, list);
        set = isbns({isbn}, set);
    }
    CopyGrouping grouping;
    grouping.add(record(1, 1, list));
    grouping.add(record(2, 1, set));
    for (int i = 0; i < 20; ++i) {
        Book book = isbns({"97801" + std::to_string(10000000 + i)});
        book.title = "Novel " + std::to_string(i);
        grouping.add(record(3 + i, 2, book));
    }
    EXPECT_EQ(grouping.groups().size(), 22u);
}

TEST(CopyGroupingTest, IdentifiersNeverJoinOtherTitlesByOtherAuthorsEvenThroughAThird) {
    Book a = isbns({"0306406152"}), b = isbns({"0198534531"});
    Book link = isbns({"0306406152", "0198534531"});
    b.title = "Sense and sensibility";
    b.author = "Dashwood, Elinor";
    link.title = "Two novels";
    link.author = "";
    CopyGrouping grouping;
    grouping.add(record(1, 1, a));
    grouping.add(record(2, 2, b));
    grouping.add(record(3, 3, link));
    EXPECT_EQ(membersOf(grouping), (std::vector<std::vector<int32_t>>{{1, 3}, {2}}));
    const CopyGroup group = grouping.groups()[0];
    EXPECT_EQ(groupReasonText(group),
              "ISBN 9780306406157; records sharing a number kept apart: other title and "
              "author, or other volume");
    // Another title by the same author still joins, as does the same title
    // proper by another.
    Book retitled = isbns({"0198534531"});
    retitled.title = "Sense & sensibility";
    retitled.author = b.author;
    grouping.add(record(4, 4, retitled));
    EXPECT_EQ(membersOf(grouping).back(), (std::vector<int32_t>{2, 4}));
    EXPECT_GT(grouping.groups().back().keptApart, 0);
    Book subtitled = b;
    subtitled.subtitle = "a novel";
    subtitled.author = "Dashwod, E.";
    CopyGrouping misspelt;
    misspelt.add(record(1, 1, b));
    misspelt.add(record(2, 2, subtitled));
    EXPECT_EQ(misspelt.groups().size(), 1u);

    // A record joining one group may join no other that conflicts with any
    // member of the first, root or not.
    Book loose = isbns({"0306406152"});
    loose.title = "Two novels";
    loose.author = "";
    CopyGrouping chain;
    chain.add(record(1, 1, loose));
    chain.add(record(2, 2, a));
    chain.add(record(3, 3, b));
    chain.add(record(4, 4, link));
    EXPECT_EQ(membersOf(chain), (std::vector<std::vector<int32_t>>{{2, 1, 4}, {3}}));

    // The link first: the group it makes must refuse b for a member's sake.
    CopyGrouping linkFirst;
    linkFirst.add(record(1, 3, link));
    linkFirst.add(record(2, 1, a));
    linkFirst.add(record(3, 2, b));
    EXPECT_EQ(membersOf(linkFirst), (std::vector<std::vector<int32_t>>{{1, 2}, {3}}));
}

TEST(CopyGroupingTest, SetNumbersAndOtherVolumesNeverJoin) {
    CopyGrouping grouping;
    // Each volume carries the set's ISBN too.
    grouping.add(record(1, 1, isbns({"1111111111 (v. 1)", "0000000000 (set)"})));
    grouping.add(record(2, 2, isbns({"2222222222 (v. 2)", "0000000000 (set)"})));
    // The set's own record has no number to join by, nor joins a numbered
    // copy by its title.
    grouping.add(record(3, 3, withField("020", {{'a', "0000000000"}, {'q', "set"}})));
    // The same number on two volumes.
    Book one = isbns({"3333333333"}), two = isbns({"3333333333"});
    one.part = "v. 1";
    two.part = "Vol. 2.";
    grouping.add(record(4, 1, one));
    grouping.add(record(5, 2, two));
    grouping.add(record(6, 3, isbns({"3333333333 (v. 2 : pbk.)"})));
    // A copy of volume 1 named so in its qualifier only.
    grouping.add(record(7, 3, isbns({"1111111111 (v.1 ; hardcover)"})));
    EXPECT_EQ(membersOf(grouping),
              (std::vector<std::vector<int32_t>>{{1, 7}, {2}, {3}, {4}, {5, 6}}));
}

TEST(CopyGroupingTest, TheArticleIsCutOnlyAtAWordBoundary) {
    EXPECT_EQ(titleNormalForm("The pragmatic programmer", 1), "the pragmatic programmer");
    EXPECT_EQ(titleNormalForm("The pragmatic programmer", 3), "pragmatic programmer");
    EXPECT_EQ(titleNormalForm("L'amour", 2), "amour");
    EXPECT_EQ(titleNormalForm("Hamlet", 9), "hamlet");
}

TEST(CopyGroupingTest, CataloguedIsbnsOfEveryFormGroupTogether) {
    CopyGrouping grouping;
    int32_t number = 0;
    for (const char* isbn : {"0-8044-2957-x (pbk.)", "9780804429573", "979-10-323-0082-4",
                             "9791032300824 51299", "9780306406157 51299", "0306406152"}) {
        Book book = isbns({isbn});
        book.date = std::to_string(1900 + ++number);  // joined by the number only
        grouping.add(record(number, number, book));
    }
    EXPECT_EQ(membersOf(grouping), (std::vector<std::vector<int32_t>>{{1, 2}, {3, 4}, {5, 6}}));
}

TEST(CopyGroupingTest, CatchingUpInSlicesOrAfterAShrinkGroupsAsAddingOneByOne) {
    // Numbers shared across titles and authors, and records without any,
    // over more records than one slice of the store.
    const auto nth = [](int i) {
        Book book = i % 7 == 0 ? Book{} : isbns({"97801" + std::to_string(10000000 + i % 500)});
        book.title = "Title " + std::to_string(i % 300);
        book.author = "Author " + std::to_string(i % 250);
        return book;
    };
    const auto summary = [](const CopyGrouping& grouping) {
        std::vector<std::string> lines;
        for (const CopyGroup& g : grouping.groups()) {
            std::string line = g.reasonKey + ' ' + std::to_string(g.keptApart);
            for (int32_t m : g.members) line += ' ' + std::to_string(m);
            lines.push_back(line);
        }
        return lines;
    };
    const auto oneByOne = [&](int count, int from) {
        CopyGrouping grouping;
        for (int i = 1; i <= count; ++i) grouping.add(record(i, i % 3, nth(from + i)));
        return summary(grouping);
    };
    ResultStore store;
    CopyGrouping grouping;
    for (int i = 1; i <= 4500; ++i) {
        store.add(record(0, i % 3, nth(i)));
        if (i == 700) grouping.catchUp(store);
    }
    grouping.catchUp(store);
    EXPECT_EQ(summary(grouping), oneByOne(4500, 0));

    store.clear();
    for (int i = 1; i <= 900; ++i) store.add(record(0, i % 3, nth(i + 11)));
    grouping.catchUp(store);
    EXPECT_EQ(summary(grouping), oneByOne(900, 11));
}

TEST(CopyGroupingTest, TheCopyrightDateIsNotThePublicationDate) {
    MarcBuilder marc;
    marc.data("245", "10", {{'a', "Tide tables."}});
    marc.data("264", " 4", {{'c', "©2019"}});
    marc.data("264", " 1", {{'a', "Leeds :"}, {'c', "2020."}});
    EXPECT_EQ(recordIdentifiers(marc.build()).workKey, "work:tide tables//2020/");
}

TEST(CopyGroupingTest, TheBatchReportSuggestsTheBestCopyOfANumber) {
    Book minimalPcc = withField("042", {{'a', "pcc"}}, withField("650", {{'a', "Tides"}}));
    minimalPcc.level = '7';
    Book lessThanFull;
    lessThanFull.level = 'K';
    CopyGrouping grouping;
    grouping.add(record(1, 1, minimalPcc));
    grouping.add(record(2, 2, Book{}));
    grouping.add(record(3, 3, lessThanFull));
    grouping.add(record(4, 3, minimalPcc));
    const std::vector<BatchReportRow> rows =
        tallyBatchReport({"0306406152", "03785955"}, {{1, "Alpha", {}}},
                         {{1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 3, 1}}, bestCopyChooser(grouping));
    EXPECT_EQ(rows[0].suggestedRecord, 2);
    EXPECT_EQ(rows[1].suggestedRecord, 4);
}

TEST(CopyGroupingTest, AGroupKeepsTheRefusalsOfTheRecordsItTakesIn) {
    Book other = isbns({"0198534531"});
    other.title = "Emma";
    other.author = "Woodhouse, Emma";
    CopyGrouping grouping;
    grouping.add(record(1, 1, isbns({"0306406152"})));
    grouping.add(record(2, 2, other));
    grouping.add(record(3, 3, isbns({"0198534531", "080442957X"})));  // refused by 2
    grouping.add(record(4, 4, isbns({"0306406152", "080442957X"})));
    const std::vector<CopyGroup> groups = grouping.groups();
    EXPECT_EQ(groups[0].members, (std::vector<int32_t>{3, 1, 4}));
    EXPECT_GT(groups[0].keptApart, 0);
}
