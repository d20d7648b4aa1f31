// ZeeRex records into targets: what a record gives, what it is refused for.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "directory/DirectoryRules.h"
#include "directory/ZeeRexReader.h"

namespace {

std::vector<ZeeRexEntry> readData(const std::string& name) {
    return readZeeRex(readFileBytes(sourcePath("tests/data/zeerex/" + name)));
}

std::string record(const std::string& serverInfo, const std::string& rest = "") {
    return "<explain xmlns='http://explain.z3950.org/dtd/2.0/'>" + serverInfo + rest +
           "</explain>";
}

std::string server(const std::string& protocol, const std::string& host, const std::string& port,
                   const std::string& database) {
    return "<serverInfo protocol='" + protocol + "'><host>" + host + "</host><port>" + port +
           "</port><database>" + database + "</database></serverInfo>";
}

}  // namespace

TEST(ZeeRexReader, PublicLibraryRecordGivesItsTarget) {
    const std::vector<ZeeRexEntry> entries = readData("berg.xml");
    ASSERT_EQ(entries.size(), 1u);
    const ZeeRexEntry& e = entries[0];
    EXPECT_EQ(e.refusal, "");
    EXPECT_EQ(e.target.name, "Berg folkebibliotek");
    EXPECT_EQ(e.target.zurl, "z3950.example.no:2100/Berg folkebibliotek");
    EXPECT_EQ(e.target.recsyntax, "usmarc");
    EXPECT_EQ(e.target.elementsetname, "F");
    EXPECT_FALSE(e.target.active);
    EXPECT_TRUE(e.target.tags.empty());
}

TEST(ZeeRexReader, ProfileHoldsTheCommonIndexesNotListedWithReplacements) {
    const Target t = readData("berg.xml")[0].target;
    // Date is listed but not searchable; Subject only in another attribute set.
    EXPECT_EQ(t.profile.unsupported, (std::set<int>{21, 8, 30, 1018, 9, 12, 1007}));
    EXPECT_EQ(t.profile.replacementFor(1007), 7);
    EXPECT_EQ(t.profile.replacementFor(21), 1016);
    EXPECT_EQ(t.profile.replacementFor(4), 0);
}

TEST(ZeeRexReader, NoBib1IndexesLeaveTheProfileEmpty) {
    const std::vector<ZeeRexEntry> entries = readData("sru.xml");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].target.profile.empty());
    EXPECT_EQ(entries[0].target.zurl, "http://sru.example.org:80/cat/sru");
    EXPECT_EQ(entries[0].target.recsyntax, "marcxml");
    EXPECT_EQ(entries[0].target.elementsetname, "");
}

TEST(ZeeRexReader, JunkIsRefusedWithItsReason) {
    const std::vector<ZeeRexEntry> entries = readData("junk.xml");
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_EQ(entries[0].refusal, "unknown protocol \"210\"");
    EXPECT_EQ(entries[1].refusal, "bad host \"C:\\Documents\\target.txt\"");
    EXPECT_EQ(entries[2].refusal, "bad port \"70000\"");
    EXPECT_EQ(entries[3].refusal, "no database");
    EXPECT_EQ(entries[4].refusal, "a control character in the database");
    EXPECT_EQ(entries[5].refusal, "no serverInfo");
    for (size_t i = 6; i < 9; ++i) EXPECT_EQ(entries[i].refusal, "") << i;
    // The same target written differently has one key; over HTTP it is another.
    EXPECT_FALSE(entries[6].key < entries[7].key || entries[7].key < entries[6].key);
    EXPECT_TRUE(entries[6].key < entries[8].key || entries[8].key < entries[6].key);
}

TEST(ZeeRexReader, BrokenOrForeignDocumentsAreRefused) {
    EXPECT_EQ(readData("broken.xml").at(0).refusal, "not well-formed XML");
    EXPECT_EQ(readZeeRex("").at(0).refusal, "not well-formed XML");
    EXPECT_EQ(readZeeRex("<html><body>spam</body></html>").at(0).refusal, "no serverInfo");
}

TEST(ZeeRexReader, NameFallsBackToFirstTitleThenAddress) {
    const std::string s = server("tcp", "z.example.com", "210", "db");
    EXPECT_EQ(readZeeRex(record(s, "<databaseInfo><title>  One\n  two </title>"
                                   "<title>Three</title></databaseInfo>"))[0]
                  .target.name,
              "One two");
    EXPECT_EQ(readZeeRex(record(s, "<databaseInfo><title/></databaseInfo>"))[0].target.name,
              "z.example.com:210/db");
}

TEST(ZeeRexReader, ProtocolWords) {
    EXPECT_EQ(protocolFromWord("Z39.50"), DirectoryProtocol::Z3950);
    EXPECT_EQ(protocolFromWord("TCP"), DirectoryProtocol::Z3950);
    EXPECT_EQ(protocolFromWord("srw"), DirectoryProtocol::Sru);
    EXPECT_EQ(protocolFromWord("HTTP"), DirectoryProtocol::Sru);
    EXPECT_EQ(protocolFromWord("Sru"), DirectoryProtocol::Sru);
    EXPECT_EQ(protocolFromWord("z39.50 "), DirectoryProtocol::None);
    EXPECT_EQ(protocolFromWord("ftp"), DirectoryProtocol::None);
    // A blank around the attribute value is no other protocol.
    EXPECT_EQ(readZeeRex(record(server(" tcp ", "h.example", "1", "d")))[0].refusal, "");
}

TEST(ZeeRexReader, HostsAndPorts) {
    for (const char* good : {"localhost", "z3950.loc.gov", "a-b.example.org", "192.168.0.1",
                             "3com.example", "z-sorvaranger_fb.bibits.no"})
        EXPECT_TRUE(isHostName(good)) << good;
    for (const char* bad : {"", "256.1.1.1", "1.2.3", "-a.example", "a-.example", "a..b",
                            "host name", "a%b.example", "http://x", "example.123", "a.b."})
        EXPECT_FALSE(isHostName(bad)) << bad;
    EXPECT_EQ(portNumber("1"), 1);
    EXPECT_EQ(portNumber("65535"), 65535);
    EXPECT_EQ(portNumber("65536"), 0);
    EXPECT_EQ(portNumber("0"), 0);
    EXPECT_EQ(portNumber("-1"), 0);
    EXPECT_EQ(portNumber("21a"), 0);
    EXPECT_EQ(portNumber("99999999999"), 0);
}

TEST(ZeeRexReader, RecordSyntaxOrder) {
    EXPECT_EQ(chooseRecordSyntax({"SUTRS", "xml", "UNIMARC"}), "unimarc");
    EXPECT_EQ(chooseRecordSyntax({"SUTRS", "XML"}), "xml");
    EXPECT_EQ(chooseRecordSyntax({"sutrs", "GRS-1"}), "sutrs");
    EXPECT_EQ(chooseRecordSyntax({"UNIMARC", "MARC21"}), "usmarc");
    EXPECT_EQ(chooseRecordSyntax({"OPAC"}), "usmarc");
    EXPECT_EQ(chooseRecordSyntax({}), "usmarc");
}

TEST(ZeeRexReader, KeysOfListAddresses) {
    const TargetKey plain = keyOfAddress("Z.Example.com:210/Default");
    EXPECT_FALSE(plain < keyOfAddress("tcp:z.example.com") ||
                 keyOfAddress("tcp:z.example.com") < plain);
    const TargetKey sru = keyOfAddress("http://sru.example.org/cat%20one?x=1");
    EXPECT_EQ(sru.protocol, DirectoryProtocol::Sru);
    EXPECT_EQ(sru.port, 80);
    EXPECT_EQ(sru.database, "cat one");
    EXPECT_EQ(keyOfAddress("https://sru.example.org/x").port, 443);
    // The address written for a record reads back as its key.
    for (const char* database : {"a b", "goo?", "50%", "x#y", "B\xc3\xa6rum/cat;1"}) {
        const TargetKey key{DirectoryProtocol::Sru, "h.example", 8080, database};
        const TargetKey back = keyOfAddress(addressOfKey(key));
        EXPECT_FALSE(back < key || key < back) << addressOfKey(key);
    }
}

TEST(ZeeRexReader, ShownValuesStayOnOneLineAndShort) {
    EXPECT_EQ(shownValue("a\nb"), "a?b");
    EXPECT_EQ(shownValue(std::string(100, 'x'), 10), std::string(10, 'x') + "...");
    // Never cut inside a character.
    EXPECT_EQ(shownValue("ab\xc3\xa6", 3), "ab\xc3\xa6");
}
