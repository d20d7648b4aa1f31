#include <grp.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "CollectedMessages.h"
#include "FileSizeLimit.h"
#include "TargetFixtures.h"
#include "TestSupport.h"
#include "targets/TargetList.h"
#include "targets/TargetXml.h"

namespace {

std::string targetElement(const std::string& name, const std::string& inner = "") {
    return "<target><name>" + name + "</name>" + inner + "</target>";
}

// Loads bytes written to a fresh file into list and returns loadFile's answer.
bool loadBytes(TargetList& list, const std::string& bytes) {
    TempDir dir;
    writeFileBytes(dir.file("t.xml"), bytes);
    return list.loadFile(dir.file("t.xml"));
}

// The bytes saveFile writes for list.
std::string savedBytes(TargetList& list) {
    TempDir dir;
    writeFileBytes(dir.file("t.xml"), "");
    list.saveFile(dir.file("t.xml"));
    return readFileBytes(dir.file("t.xml"));
}

std::vector<std::string> namesOf(const TargetList& list) {
    std::vector<std::string> names;
    for (const Target& t : list.targets) names.push_back(t.name);
    return names;
}

void expectSameFields(const Target& a, const Target& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.tags, b.tags);
    EXPECT_EQ(a.zurl, b.zurl);
    EXPECT_EQ(a.recsyntax, b.recsyntax);
    EXPECT_EQ(a.elementsetname, b.elementsetname);
    EXPECT_EQ(a.location, b.location);
    EXPECT_EQ(a.website, b.website);
    EXPECT_EQ(a.catalogue, b.catalogue);
    EXPECT_EQ(a.username, b.username);
    EXPECT_EQ(a.password, b.password);
    EXPECT_EQ(a.recordCharset, b.recordCharset);
    EXPECT_EQ(a.queryCharset, b.queryCharset);
    EXPECT_EQ(a.active, b.active);
}

}  // namespace

TEST(TargetListTest, WritesTheKnownListByteForByte) {
    TargetList list;
    list.selectedLocation = "United Kingdom";
    list.tagTable = {{"union", true}, {"english", false}, {"academic", true}};
    Target full;
    full.name = "Jisc";
    full.tags = {"union", "english"};
    full.zurl = "discover.libraryhub.jisc.ac.uk:210/DISCOVER";
    full.location = "United Kingdom";
    full.recsyntax = "usmarc";
    full.elementsetname = "F";
    full.username = "u";
    full.password = "p";
    full.website = "https://www.jisc.ac.uk/";
    full.catalogue = "https://discover.libraryhub.jisc.ac.uk/";
    full.active = true;
    list.targets.push_back(full);
    list.targets.push_back(Target());

    const std::string expected =
        "<?xml version=\"1.0\" ?> \n <ztargets>"
        "<limits><selectedlocation>United Kingdom</selectedlocation>"
        "<selectedtags><tag>academic</tag><tag>union</tag></selectedtags></limits>"
        "<target><name>Jisc</name><tag>english</tag><tag>union</tag>"
        "<zurl>discover.libraryhub.jisc.ac.uk:210/DISCOVER</zurl>"
        "<location>United Kingdom</location><recsyntax>usmarc</recsyntax>"
        "<elementsetname>F</elementsetname><username>u</username><password>p</password>"
        "<website>https://www.jisc.ac.uk/</website>"
        "<catalogue>https://discover.libraryhub.jisc.ac.uk/</catalogue>"
        "<active>yes</active></target>"
        "<target><name></name><zurl></zurl><location></location><recsyntax>marc21</recsyntax>"
        "<elementsetname></elementsetname><active>no</active></target>"
        "</ztargets>";
    EXPECT_EQ(savedBytes(list), expected);
    EXPECT_EQ(list.targets.back().recsyntax, "marc21");
    // What it writes it reads back.
    TargetList back;
    ASSERT_TRUE(loadBytes(back, expected));
    ASSERT_EQ(back.targets.size(), 2u);
    expectSameFields(back.targets.front(), full);
    EXPECT_EQ(back.selectedLocation, list.selectedLocation);
    EXPECT_EQ(back.tagTable, list.tagTable);
}

TEST(TargetListTest, TheHomeCatalogueIsMarkedJustBeforeActiveOnlyWhenSet) {
    TargetList list;
    Target t;
    t.catalogue = "c";
    t.home = true;
    t.profile.timeoutSeconds = 5;
    list.targets.push_back(t);
    t.home = false;
    list.targets.push_back(t);
    const std::string bytes = savedBytes(list);
    EXPECT_NE(bytes.find("<timeout>5</timeout><home>yes</home><active>no</active>"), std::string::npos)
        << bytes;
    EXPECT_EQ(bytes.find("<home>"), bytes.rfind("<home>"));
    TargetList back;
    ASSERT_TRUE(loadBytes(back, bytes));
    ASSERT_EQ(back.targets.size(), 2u);
    EXPECT_TRUE(back.targets.front().home);
    EXPECT_FALSE(back.targets.back().home);
}

TEST(TargetListTest, CharsetsGoBetweenCatalogueAndActiveOnlyWhenSet) {
    TargetList list;
    Target t;
    t.catalogue = "c";
    t.recordCharset = "MARC-8";
    t.queryCharset = "ISO-8859-1";
    list.targets.push_back(t);
    t.recordCharset = "";
    t.queryCharset = "UTF-8";  // the default: nothing to write
    list.targets.push_back(t);
    const std::string bytes = savedBytes(list);
    EXPECT_NE(bytes.find("<catalogue>c</catalogue><recordcharset>MARC-8</recordcharset>"
                         "<querycharset>ISO-8859-1</querycharset><active>no</active>"),
              std::string::npos);
    EXPECT_NE(bytes.find("<catalogue>c</catalogue><active>no</active>"), std::string::npos);
    TargetList back;
    ASSERT_TRUE(loadBytes(back, bytes));
    EXPECT_EQ(back.targets.front().recordCharset, "MARC-8");
    EXPECT_EQ(back.targets.front().queryCharset, "ISO-8859-1");
    const std::string again = savedBytes(back);
    EXPECT_EQ(again.substr(again.find("<target>")), bytes.substr(bytes.find("<target>")));
}

TEST(TargetListTest, ProfileElementsSitBeforeActiveAndReadBack) {
    TargetList list;
    list.selectedLocation = "All";
    Target t;
    t.name = "Slow";
    t.catalogue = "c";
    t.profile.timeoutSeconds = 12;
    t.profile.fallbacks = {{7, 1016}, {1007, 7}};
    t.profile.proxy = "proxy.example:9000";
    t.profile.unsupported = {1007, 7};
    list.targets.push_back(t);
    const std::string bytes = savedBytes(list);
    EXPECT_NE(bytes.find("<catalogue>c</catalogue><timeout>12</timeout>"
                         "<fallback use=\"7\">1016</fallback><fallback use=\"1007\">7</fallback>"
                         "<proxy>proxy.example:9000</proxy><unsupported>7 1007</unsupported>"
                         "<active>no</active>"),
              std::string::npos)
        << bytes;
    TargetList back;
    ASSERT_TRUE(loadBytes(back, bytes));
    const TargetProfile& p = back.targets.front().profile;
    EXPECT_EQ(p.timeoutSeconds, 12);
    EXPECT_EQ(p.fallbacks, t.profile.fallbacks);
    EXPECT_EQ(p.proxy, t.profile.proxy);
    EXPECT_EQ(p.unsupported, t.profile.unsupported);
    EXPECT_EQ(savedBytes(back), bytes);

    // Hand-edited nonsense is dropped, never half-read.
    ASSERT_TRUE(loadBytes(back, "<ztargets>" +
                                    targetElement("x",
                                                  "<timeout>-3</timeout>"
                                                  "<fallback use=\"x\">4</fallback>"
                                                  "<fallback>4</fallback>"
                                                  "<unsupported>7 four 8</unsupported>") +
                                    "</ztargets>"));
    const TargetProfile& q = back.targets.front().profile;
    EXPECT_EQ(q.timeoutSeconds, 0);
    EXPECT_TRUE(q.fallbacks.empty());
    EXPECT_EQ(q.unsupported, (std::set<int>{7, 8}));

    // A use named twice keeps its first replacement; the next target starts afresh.
    ASSERT_TRUE(loadBytes(back, "<ztargets>" +
                                    targetElement("a",
                                                  "<fallback use=\"7\">4</fallback>"
                                                  "<fallback use=\"7\">1016</fallback>") +
                                    targetElement("b", "<fallback use=\"7\">1016</fallback>") +
                                    "</ztargets>"));
    EXPECT_EQ(back.targets.front().profile.fallbacks, (std::vector<IndexFallback>{{7, 4}}));
    EXPECT_EQ(back.targets.back().profile.fallbacks, (std::vector<IndexFallback>{{7, 1016}}));
}

TEST(TargetListTest, EscapesTheFiveCharactersAndReadsThemBack) {
    EXPECT_EQ(escapeXml("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&apos;f");
    EXPECT_EQ(escapeXml("&amp;"), "&amp;amp;");
    EXPECT_EQ(escapeXml("plain"), "plain");

    TargetList list;
    Target t;
    t.name = "&amp; <Fish & Chips> \"quoted\" 'single'";
    t.tags = {"a&b", "<t>"};
    t.zurl = "host:210/D'B";
    t.location = "A & B";
    t.elementsetname = "<F>";
    t.username = "us\"er";
    t.password = "p&ss<>";
    t.website = "http://x/?a=1&b=2";
    t.catalogue = "'cat'";
    list.targets.push_back(t);
    list.selectedLocation = "A & B";
    list.tagTable = {{"a&b", true}};
    const std::string bytes = savedBytes(list);

    TargetList back;
    ASSERT_TRUE(loadBytes(back, bytes));
    ASSERT_EQ(back.targets.size(), 1u);
    expectSameFields(back.targets.front(), list.targets.front());
    EXPECT_EQ(back.selectedLocation, "A & B");
    EXPECT_TRUE(back.tagTable.at("a&b"));
    EXPECT_FALSE(back.tagTable.at("<t>"));
}

TEST(TargetListTest, ActiveOnlyForExactlyLowerCaseYes) {
    TargetList list;
    ASSERT_TRUE(loadBytes(
        list, kTargetListHeader + kEmptyLimits + targetElement("capital", "<active>Yes</active>") +
                  targetElement("blank", "<active> yes</active>") +
                  targetElement("yes", "<active>yes</active>") + targetElement("no child") +
                  targetElement("doubled", "<active>yes</active><active>yes</active>") +
                  "</ztargets>"));
    std::vector<bool> active;
    for (const Target& t : list.targets) active.push_back(t.active);
    EXPECT_EQ(active, (std::vector<bool>{false, false, true, false, true}));
    EXPECT_EQ(list.activeCount, 2);
}

TEST(TargetListTest, TagsAreKeptOnceSortedAndSelectedOnesSurvive) {
    TargetList list;
    ASSERT_TRUE(loadBytes(
        list, kTargetListHeader +
                  "<limits><selectedlocation></selectedlocation><selectedtags><tag>lonely</tag>"
                  "<tag>shared</tag></selectedtags></limits>" +
                  targetElement("t",
                                "<tag>zeta</tag><tag>shared</tag><tag>alpha</tag><tag>zeta</tag>"
                                "<tag>orphan</tag>") +
                  "</ztargets>"));
    EXPECT_EQ(list.selectedLocation, "All");
    ASSERT_EQ(list.targets.size(), 1u);
    EXPECT_EQ(list.targets.front().tags,
              (std::set<std::string>{"alpha", "orphan", "shared", "zeta"}));
    EXPECT_EQ(list.tagTable, (std::map<std::string, bool>{{"alpha", false},
                                                          {"lonely", true},
                                                          {"orphan", false},
                                                          {"shared", true},
                                                          {"zeta", false}}));
    const std::string written = savedBytes(list);
    EXPECT_NE(written.find("<name>t</name><tag>alpha</tag><tag>orphan</tag><tag>shared</tag>"
                           "<tag>zeta</tag><zurl>"),
              std::string::npos);

    // Without the target that carries them, only the selected tags are written again.
    list.targets.clear();
    TargetList next;
    ASSERT_TRUE(loadBytes(next, savedBytes(list)));
    EXPECT_EQ(next.tagTable, (std::map<std::string, bool>{{"lonely", true}, {"shared", true}}));
}

TEST(TargetListTest, CutOrMalformedFileKeepsTheCompleteTargetsAndSaysSo) {
    const std::string complete = kTargetListHeader + kEmptyLimits + targetElement("one") +
                                 targetElement("two") + targetElement("three") + "</ztargets>";
    const size_t cut = complete.find("three") + 2;
    ASSERT_NE(cut % 256, 0u);
    CollectedMessages capture;

    // Ends on a short read, so the parser is never told the document is over.
    TargetList shortRead;
    EXPECT_TRUE(loadBytes(shortRead, complete.substr(0, cut)));
    EXPECT_EQ(namesOf(shortRead), (std::vector<std::string>{"one", "two"}));

    // A cut on a block boundary gets the final empty read, which reports it.
    std::string padded = kTargetListHeader + kEmptyLimits + targetElement("one") + "<!--";
    ASSERT_LT(padded.size(), 512u);
    padded += std::string(512 - padded.size(), 'x');
    TargetList blockCut;
    EXPECT_FALSE(loadBytes(blockCut, padded));
    EXPECT_EQ(namesOf(blockCut), (std::vector<std::string>{"one"}));

    TargetList malformed;
    EXPECT_FALSE(loadBytes(malformed, kTargetListHeader + kEmptyLimits + targetElement("one") +
                                          "<target><name>two</nam></target></ztargets>"));
    EXPECT_EQ(namesOf(malformed), (std::vector<std::string>{"one"}));

    ASSERT_EQ(capture.texts().size(), 3u);
    EXPECT_EQ(capture.texts()[0].rfind("Only 2 targets could be read from ", 0), 0u);
    EXPECT_EQ(capture.texts()[2].rfind("Only 1 targets could be read from ", 0), 0u);
}

TEST(TargetListTest, ReadsContentsStraddlingEveryBlockBoundary) {
    // Growing padding moves every element name and each multi-byte character
    // across the 256- and 512-byte boundaries, and the file through 255..512.
    const std::string wide = "\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";  // é € 𝄞
    std::set<size_t> sizes;
    for (size_t pad = 0; pad < 300; ++pad) {
        const std::string name = std::string(pad, 'x') + wide;
        const std::string bytes =
            kTargetListHeader +
            targetElement(name, "<tag>" + wide + "</tag><zurl>h:1/d</zurl><location>" + wide +
                                    "</location><recsyntax>USMARC</recsyntax><elementsetname>" +
                                    wide + "</elementsetname><active>yes</active>") +
            "</ztargets>";
        sizes.insert(bytes.size());
        TargetList list;
        ASSERT_TRUE(loadBytes(list, bytes)) << "size " << bytes.size();
        ASSERT_EQ(list.targets.size(), 1u) << "size " << bytes.size();
        const Target& t = list.targets.front();
        ASSERT_EQ(t.name, name);
        ASSERT_EQ(t.tags, std::set<std::string>{wide});
        ASSERT_EQ(t.location, wide);
        ASSERT_EQ(t.elementsetname, wide);
        ASSERT_EQ(t.recsyntax, "usmarc");
        ASSERT_TRUE(t.active);
    }
    for (size_t size : {255u, 256u, 257u, 512u}) EXPECT_EQ(sizes.count(size), 1u) << size;
}

TEST(TargetListTest, AnSruTargetsSchemaKeepsItsCase) {
    // Schema names are the server's own; only Z39.50 syntaxes are lower-cased,
    // wherever the address stands among the children.
    TargetList list;
    ASSERT_TRUE(loadBytes(
        list, kTargetListHeader +
                  targetElement("D", "<recsyntax>MARC21-xml</recsyntax><zurl>https://h/sru</zurl>") +
                  targetElement("Z", "<recsyntax>USMARC</recsyntax><zurl>h:1/d</zurl>") +
                  "</ztargets>"));
    ASSERT_EQ(list.targets.size(), 2u);
    EXPECT_EQ(list.targets.front().recsyntax, "MARC21-xml");
    EXPECT_EQ(list.targets.back().recsyntax, "usmarc");
}

TEST(TargetListTest, LaterLoadKeepsKnownValuesAndRecounts) {
    TargetList list;
    list.nextId = 1;
    ASSERT_TRUE(loadBytes(
        list, kTargetListHeader + kEmptyLimits +
                  targetElement("a",
                                "<tag>first</tag><location>Here</location>"
                                "<elementsetname>X</elementsetname><active>yes</active>") +
                  targetElement("b", "<active>yes</active>") + "</ztargets>"));
    EXPECT_EQ(list.activeCount, 2);
    EXPECT_EQ(list.targets.front().id, 2);
    EXPECT_EQ(list.targets.back().id, 3);

    ASSERT_TRUE(
        loadBytes(list, kTargetListHeader +
                            "<limits><selectedlocation>There</selectedlocation><selectedtags>"
                            "</selectedtags></limits>" +
                            targetElement("c",
                                          "<tag>second</tag><location>There</location>"
                                          "<active>yes</active>") +
                            "</ztargets>"));
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"c"}));
    EXPECT_EQ(list.targets.front().id, 4);
    EXPECT_EQ(list.nextId, 4);
    EXPECT_EQ(list.activeCount, 1);
    EXPECT_EQ(list.locations, (std::set<std::string>{"Here", "There"}));
    EXPECT_EQ(list.tagTable.count("first"), 1u);
    EXPECT_EQ(list.tagTable.count("second"), 1u);
    EXPECT_EQ(list.elementSetNames,
              (std::set<std::string>{"B", "F", "X", "b", "dc", "f", "marcxml", "mods"}));
    EXPECT_EQ(list.selectedLocation, "There");
}

TEST(TargetListTest, WithoutLimitsTheLocationFilterIsAll) {
    TargetList list;
    ASSERT_TRUE(loadBytes(list, "<ztargets>" + targetElement("a") + "</ztargets>"));
    EXPECT_EQ(list.selectedLocation, "All");
    EXPECT_FALSE(list.targets.front().active);
}

TEST(TargetListTest, NonAsciiTextRoundTripsUnchanged) {
    TargetList list;
    Target t;
    t.name =
        "N\xC3\xA1rodn\xC3\xAD knihovna \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9D\x84\x9E";
    t.location =
        "\xC4\x8C"
        "esk\xC3\xA1 republika";
    t.tags = {"\xC3\xBCnion"};
    list.targets.push_back(t);
    list.selectedLocation = "All";
    const std::string bytes = savedBytes(list);
    EXPECT_NE(bytes.find(t.name), std::string::npos);

    TargetList back;
    ASSERT_TRUE(loadBytes(back, bytes));
    ASSERT_EQ(back.targets.size(), 1u);
    expectSameFields(back.targets.front(), list.targets.front());
    EXPECT_EQ(savedBytes(back), bytes);
}

TEST(TargetListTest, SortByNameIsStableAndByteWise) {
    TargetList list;
    const std::vector<std::string> names = {"b", "a", "\xC3\xA9", "b", "A", "a", "z"};
    for (size_t i = 0; i < names.size(); ++i) {
        Target t;
        t.name = names[i];
        t.id = static_cast<int32_t>(i);
        list.targets.push_back(t);
    }
    list.sortByName();
    std::vector<std::pair<std::string, int32_t>> order;
    for (const Target& t : list.targets) order.emplace_back(t.name, t.id);
    EXPECT_EQ(order,
              (std::vector<std::pair<std::string, int32_t>>{
                  {"A", 4}, {"a", 1}, {"a", 5}, {"b", 0}, {"b", 3}, {"z", 6}, {"\xC3\xA9", 2}}));
}

TEST(TargetListTest, SaveReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("targets.xml");
    writeFileBytes(path, "old contents that are longer than nothing");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    TargetList list;
    list.targets.push_back(Target());
    EXPECT_TRUE(list.saveFile(path));
    EXPECT_EQ(readFileBytes(path), targetListToXml(list));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);

    // Through a link, the file it points at is replaced and the link stays.
    const std::string link = dir.file("link.xml");
    std::filesystem::create_symlink(path, link);
    list.targets.clear();
    EXPECT_TRUE(list.saveFile(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFileBytes(path), targetListToXml(list));
}

TEST(TargetListTest, SaveToAMissingFileCreatesNothing) {
    TempDir dir;
    TargetList list;
    list.targets.push_back(Target());
    EXPECT_TRUE(list.saveFile(dir.file("missing.xml")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    // Nor through a link to nowhere.
    std::filesystem::create_symlink(dir.file("missing.xml"), dir.file("link.xml"));
    EXPECT_TRUE(list.saveFile(dir.file("link.xml")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.xml")));
}

TEST(TargetListTest, FailedWriteLeavesTheOriginalAndNoTemporary) {
    TempDir dir;
    const std::string path = dir.file("targets.xml");
    writeFileBytes(path, "original");
    TargetList list;
    Target big;
    big.name = std::string(4096, 'n');
    list.targets.push_back(big);

    {
        const FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.active());
        EXPECT_TRUE(list.saveFile(path));
    }

    EXPECT_EQ(readFileBytes(path), "original");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

// Root passes every permission check, so a save that permissions must bind runs
// as nobody when the tests run as root.
struct SaveUser {
    bool switchTo = ::geteuid() == 0;
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
    SaveUser() {
        if (!switchTo) return;
        const passwd* nobody = ::getpwnam("nobody");
        uid = nobody ? nobody->pw_uid : 65534;
        gid = nobody ? nobody->pw_gid : 65534;
    }
    // Makes path the save user's own, with mode.
    void give(const std::string& path, mode_t mode) const {
        if (switchTo) {
            ASSERT_EQ(::chown(path.c_str(), uid, gid), 0);
        }
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    }
    // Runs save as this user (in a child process when switching); true when it ran.
    bool run(const std::function<void()>& save) const {
        if (!switchTo) {
            save();
            return true;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
                ::_exit(2);
            save();
            ::_exit(0);
        }
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    }
};

TEST(TargetListTest, ReadOnlyFolderRewritesAWritableFileInPlace) {
    const SaveUser user;
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string folder = dir.file("ro");
    std::filesystem::create_directory(folder);
    const std::string writable = folder + "/targets.xml";
    const std::string readOnly = folder + "/readonly.xml";
    writeFileBytes(writable, "original contents, longer than the new ones will be...");
    writeFileBytes(readOnly, "original");
    user.give(writable, 0644);
    user.give(readOnly, 0444);
    user.give(folder, 0555);

    TargetList list;
    list.targets.push_back(Target());
    EXPECT_TRUE(user.run([&] {
        list.saveFile(writable);
        list.saveFile(readOnly);
    }));
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(readFileBytes(writable), targetListToXml(list));
    EXPECT_EQ(readFileBytes(readOnly), "original");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(TargetListTest, SaveKeepsHardLinksOwnerAndGroup) {
    TempDir dir;
    const std::string path = dir.file("targets.xml");
    const std::string otherName = dir.file("other-name.xml");
    writeFileBytes(path, "original");
    ASSERT_EQ(::link(path.c_str(), otherName.c_str()), 0);
    TargetList list;
    list.targets.push_back(Target());
    const std::string expected = targetListToXml(list);
    struct stat before, after;
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    list.saveFile(path);
    ASSERT_EQ(::stat(otherName.c_str(), &after), 0);
    EXPECT_EQ(readFileBytes(otherName), expected);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);

    if (::geteuid() != 0) GTEST_SKIP() << "only root can make files of others";
    const SaveUser nobody;
    // Another user's file stays theirs; a file of another group keeps it.
    const std::string theirs = dir.file("theirs.xml");
    const std::string grouped = dir.file("grouped.xml");
    writeFileBytes(theirs, "original");
    writeFileBytes(grouped, "original");
    ASSERT_EQ(::chown(theirs.c_str(), nobody.uid, nobody.gid), 0);
    ASSERT_EQ(::chown(grouped.c_str(), 0, nobody.gid), 0);
    list.saveFile(theirs);
    list.saveFile(grouped);
    for (const std::string& file : {theirs, grouped}) {
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(readFileBytes(file), expected) << file;
        EXPECT_EQ(after.st_gid, nobody.gid) << file;
    }
    ASSERT_EQ(::stat(theirs.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, nobody.uid);
}

TEST(TargetListTest, MissingFileTellsTheUserAndEmptiesTheList) {
    CollectedMessages capture;
    TempDir dir;
    TargetList list;
    list.targets.push_back(Target());
    list.activeCount = 1;
    EXPECT_FALSE(list.loadFile(dir.file("missing.xml")));
    EXPECT_EQ(capture.texts(), std::vector<std::string>{"Unable to Load Targets"});
    EXPECT_TRUE(list.targets.empty());
    EXPECT_EQ(list.activeCount, 0);
}

TEST(TargetListTest, FileReadInPartIsNeverWrittenOverAndTheEditsGoBesideIt) {
    CollectedMessages capture;
    TempDir dir;
    const std::string path = dir.file("t.xml");
    // One Latin-1 byte in the last name stops the parse there.
    const std::string bytes = kTargetListHeader + kEmptyLimits + targetElement("a") + targetElement("b") +
                              targetElement("Troms\xF8") + "</ztargets>";
    writeFileBytes(path, bytes);
    TargetList list;
    EXPECT_FALSE(list.loadFile(path));
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"a", "b"}));
    const std::string copy = path + ".qrn-new";
    EXPECT_EQ(capture.texts(),
              std::vector<std::string>{"Only 2 targets could be read from " + path +
                                       "; it will not be overwritten. Fix it or choose another "
                                       "file in Options. Changes made now are kept in " +
                                       copy + "."});
    list.targets.pop_back();
    list.saveFile(path);
    list.saveFile(path);
    EXPECT_EQ(readFileBytes(path), bytes);
    TargetList edited;
    ASSERT_TRUE(edited.loadFile(copy));
    EXPECT_EQ(namesOf(edited), std::vector<std::string>{"a"});
    EXPECT_EQ(capture.texts().size(), 1u);
}

TEST(TargetListTest, ShippedDefaultListIsWellFormedStableAndHasOnlyTheDemoActive) {
    const std::string bytes = readFileBytes(sourcePath("data/targets.xml"));
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "targets.xml",
                                  nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
    EXPECT_NE(doc, nullptr);
    xmlFreeDoc(doc);

    TargetList list;
    ASSERT_TRUE(list.loadFile(sourcePath("data/targets.xml")));
    EXPECT_EQ(savedBytes(list), bytes);
    EXPECT_EQ(list.selectedLocation, "All");
    ASSERT_EQ(list.activeCount, 1);
    for (const Target& t : list.targets) {
        EXPECT_EQ(t.active, t.name == "Local demo catalogue") << t.name;
        if (t.active) {
            EXPECT_EQ(t.zurl, "127.0.0.1:21210/demo");
        }
    }
    EXPECT_GE(list.locations.size(), 4u);
}
