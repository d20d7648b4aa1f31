// A directory brought into the target list: folders, duplicates, the adding.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "directory/DirectoryImport.h"
#include "directory/ZeeRexReader.h"
#include "targets/TargetList.h"
#include "targets/TargetXml.h"

namespace {

std::string dataFile(const std::string& name) {
    return sourcePath("tests/data/zeerex/" + name);
}

void addExisting(TargetList& list, const std::string& zurl) {
    Target t;
    t.name = "Already";
    t.zurl = zurl;
    t.active = true;
    list.targets.push_back(t);
    list.nextId = 1;
}

}  // namespace

TEST(DirectoryImport, DuplicatesOfTheListAndOfEarlierRecordsAreNotAdded) {
    TargetList list;
    addExisting(list, "tcp:Z3950.EXAMPLE.NO:2100/Berg folkebibliotek");
    const ImportPlan plan =
        planImport({dataFile("berg.xml"), dataFile("junk.xml")}, keysOfList(list));
    // junk.xml: two good records, one the same target as the other.
    ASSERT_EQ(plan.toAdd.size(), 2u);
    EXPECT_EQ(plan.toAdd[0].zurl, "z.example.com:210/good");
    EXPECT_EQ(plan.toAdd[1].zurl, "http://z.example.com:210/good");
    EXPECT_EQ(plan.alreadyThere, (std::vector<std::string>{"Berg folkebibliotek", "Same again"}));
    ASSERT_EQ(plan.refused.size(), 6u);
    EXPECT_EQ(plan.refused[0].path, dataFile("junk.xml"));
    EXPECT_EQ(plan.unreadable, 0);
}

TEST(DirectoryImport, FolderFilesInNameOrderHiddenLeftOut) {
    TempDir dir;
    std::filesystem::copy_file(dataFile("sru.xml"), dir.file("b.xml"));
    std::filesystem::copy_file(dataFile("berg.xml"), dir.file("a.xml"));
    std::filesystem::copy_file(dataFile("broken.xml"), dir.file(".hidden.xml"));
    std::filesystem::create_directory(dir.file("sub"));
    std::filesystem::copy_file(dataFile("junk.xml"), dir.file("sub/c.xml"));
    const ImportPlan plan = planImport({dir.path()}, {});
    ASSERT_EQ(plan.toAdd.size(), 2u);
    EXPECT_EQ(plan.toAdd[0].name, "Berg folkebibliotek");
    EXPECT_EQ(plan.toAdd[1].name, "Example SRU catalogue");
    EXPECT_TRUE(plan.refused.empty());
}

TEST(DirectoryImport, UnreadablePathsAreRefusedAndCounted) {
    TempDir dir;
    const ImportPlan plan =
        planImport({dir.file("missing.xml"), dataFile("broken.xml"), dataFile("berg.xml")}, {});
    ASSERT_EQ(plan.refused.size(), 2u);
    EXPECT_EQ(plan.refused[0].path, dir.file("missing.xml"));
    EXPECT_EQ(plan.refused[1].reason, "not well-formed XML");
    EXPECT_EQ(plan.unreadable, 1);
    EXPECT_EQ(plan.toAdd.size(), 1u);
}

TEST(DirectoryImport, CancelStopsBeforeTheNextFile) {
    int asked = 0;
    const ImportPlan plan = planImport({dataFile("berg.xml"), dataFile("sru.xml")}, {},
                                       [&] { return ++asked > 1; });
    EXPECT_TRUE(plan.cancelled);
    EXPECT_EQ(plan.toAdd.size(), 1u);
}

TEST(DirectoryImport, AddedUntickedTaggedAtTheEndAndKeptBySaving) {
    TargetList list;
    addExisting(list, "lx2.loc.gov:210/LCDB");
    list.activeCount = 1;
    const ImportPlan plan = planImport({dataFile("berg.xml")}, keysOfList(list));
    EXPECT_EQ(applyImport(list, plan), 1);
    ASSERT_EQ(list.targets.size(), 2u);
    const Target& added = list.targets.back();
    EXPECT_EQ(added.name, "Berg folkebibliotek");
    EXPECT_FALSE(added.active);
    EXPECT_EQ(added.tags, (std::set<std::string>{"imported"}));
    EXPECT_EQ(added.id, 2);
    EXPECT_EQ(list.activeCount, 1);
    ASSERT_TRUE(list.tagTable.count("imported"));
    EXPECT_FALSE(list.tagTable.at("imported"));

    TempDir dir;
    writeFileBytes(dir.file("targets.xml"), targetListToXml(list));
    TargetList again;
    ASSERT_TRUE(again.loadFile(dir.file("targets.xml")));
    EXPECT_EQ(again.targets.back().profile.unsupported, added.profile.unsupported);
    EXPECT_EQ(again.targets.back().zurl, added.zurl);
}

TEST(DirectoryImport, NothingToAddLeavesTheListAlone) {
    TargetList list;
    addExisting(list, "z.example.com:210/good");
    EXPECT_EQ(applyImport(list, ImportPlan()), 0);
    EXPECT_TRUE(list.tagTable.empty());
}

// The fuzz seeds are the hardest inputs we know; none may crash the reader.
TEST(DirectoryImport, FuzzSeedsReadWithoutFault) {
    for (const auto& file :
         std::filesystem::directory_iterator(sourcePath("tests/fuzz/corpus/zeerex"))) {
        for (const ZeeRexEntry& e : readZeeRex(readFileBytes(file.path().string())))
            EXPECT_TRUE(e.refusal.empty() || e.target.zurl.empty());
    }
}

// Records as the public directory published them, junk included.
TEST(DirectoryImport, PublishedDirectoryRecords) {
    const ImportPlan plan = planImport({dataFile("irspy")}, {});
    ASSERT_EQ(plan.toAdd.size(), 2u);
    EXPECT_EQ(plan.toAdd[0].name, "INETI");
    EXPECT_EQ(plan.toAdd[0].zurl, "193.136.150.162:210/INNOPAC");
    EXPECT_EQ(plan.toAdd[0].recsyntax, "usmarc");
    EXPECT_EQ(plan.toAdd[0].profile.unsupported, (std::set<int>{30, 1018}));
    EXPECT_EQ(plan.toAdd[1].name, "S\xc3\xb8r-Varanger bibliotek - Hovedbiblioteket");
    EXPECT_EQ(plan.toAdd[1].zurl, "z-sorvaranger_fb.bibits.no:210/xxdefault");
    ASSERT_EQ(plan.refused.size(), 3u);
    EXPECT_EQ(plan.refused[0].reason, "unknown protocol \"SRW/U\"");
    EXPECT_EQ(plan.refused[1].reason, "bad host \"#file_links[C:\\akk\\full\\1234.txt,1,S]\"");
    EXPECT_EQ(plan.refused[2].reason, "bad host \"G<a href=\"http\"");
}
