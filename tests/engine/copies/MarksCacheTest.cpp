#include <gtest/gtest.h>

#include "MarcBuilder.h"
#include "display/MarksLegend.h"
#include "copies/MarksCache.h"
#include "records/ResultStore.h"

namespace {

Record book(bool pcc) {
    MarcBuilder marc;
    marc.control("001", "1");
    if (pcc) marc.data("042", "  ", {{'a', "pcc"}});
    marc.data("245", "10", {{'a', "Tide tables."}});
    Record r;
    r.kind = Marc;
    r.rawData = marc.build();
    return r;
}

}  // namespace

TEST(MarksCacheTest, ANewSearchIsReadAfreshEvenWithAsManyRecords) {
    ResultStore store;
    store.add(book(true));
    store.add(book(false));
    MarksCache cache;
    cache.catchUp(store);
    EXPECT_TRUE(cache.marks(1).pcc);
    EXPECT_FALSE(cache.marks(3).marc);

    store.clear();
    cache.restart();
    store.add(book(false));
    store.add(book(true));
    cache.catchUp(store);
    EXPECT_FALSE(cache.marks(1).pcc);
    EXPECT_TRUE(cache.marks(2).pcc);
}

TEST(MarksCacheTest, WordsAndRankFollowTheMarks) {
    QualityMarks full;
    full.marc = true;
    full.source = "DLC";
    full.rda = true;
    full.pcc = true;
    full.fields = 34;
    full.subjects = true;
    full.classification = true;
    EXPECT_EQ(qualityMarksWords(full),
              "Encoding level: full; source: DLC, RDA; PCC; 34 fields; subjects; classification");
    EXPECT_EQ(qualityMarksWords(QualityMarks{}), "");

    // The rank orders copies as betterCopy does, whichever mark decides.
    QualityMarks minimal = full, noPcc = full, noRda = full, fewer = full, none;
    minimal.encodingLevel = '7';
    noPcc.pcc = false;
    noRda.rda = false;
    fewer.fields = 33;
    for (const QualityMarks* worse : {&minimal, &noPcc, &noRda, &fewer, &none}) {
        EXPECT_TRUE(betterCopy(full, *worse));
        EXPECT_GT(qualityMarksRank(full), qualityMarksRank(*worse));
    }
    noPcc.fields = 1000000;
    EXPECT_GT(qualityMarksRank(noRda), qualityMarksRank(noPcc));
}

TEST(MarksCacheTest, TheEncodingLevelOutweighsPcc) {
    QualityMarks full, minimalPcc;
    full.marc = minimalPcc.marc = true;
    minimalPcc.encodingLevel = '7';
    minimalPcc.pcc = minimalPcc.rda = true;
    minimalPcc.fields = 60;
    full.fields = 12;
    EXPECT_TRUE(betterCopy(full, minimalPcc));
    EXPECT_FALSE(betterCopy(minimalPcc, full));
    // OCLC's I is full: it ties with blank, so PCC decides.
    QualityMarks levelI = full;
    levelI.encodingLevel = 'I';
    levelI.pcc = true;
    EXPECT_TRUE(betterCopy(levelI, full));
    EXPECT_TRUE(betterCopy(levelI, minimalPcc));
    EXPECT_EQ(encodingLevelName('I'), "full");
}
