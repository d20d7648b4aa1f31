#include <gtest/gtest.h>

#include "TargetFixtures.h"
#include "targets/Ports.h"
#include "targets/TargetFilter.h"

namespace {

std::vector<std::string> shownNames(const TargetList& list) {
    std::vector<std::string> names;
    for (const TargetEntry& e : filterTargets(list))
        names.push_back(e.text.substr(0, e.text.find('\t')));
    return names;
}

class TargetFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.nextId = 1;
        list.selectedLocation = "All";
        addTarget(list, makeTarget("A", "Oslo", {"a"}, true));
        addTarget(list, makeTarget("B", "Bergen", {"b", "c"}));
        addTarget(list, makeTarget("None", "Oslo"));
        list.tagTable = {{"a", false}, {"b", false}, {"c", false}};
    }
    TargetList list;
};

TEST_F(TargetFilterTest, EntriesCarryIdNameTabLocationAndActiveFlag) {
    const auto entries = filterTargets(list);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, 2);
    EXPECT_EQ(entries[0].text, "A\tOslo");
    EXPECT_TRUE(entries[0].checked);
    EXPECT_FALSE(entries[1].checked);
    EXPECT_EQ(list.locations, (std::set<std::string>{"Bergen", "Oslo"}));
}

TEST_F(TargetFilterTest, SelectedTagsShowTargetsCarryingAnyOfThem) {
    list.tagTable["a"] = true;
    list.tagTable["b"] = true;
    EXPECT_EQ(shownNames(list), (std::vector<std::string>{"A", "B"}));
    list.tagTable["a"] = false;
    EXPECT_EQ(shownNames(list), (std::vector<std::string>{"B"}));
}

TEST_F(TargetFilterTest, LocationFilterIsExactAndOnlyAllTurnsItOff) {
    list.selectedLocation = "Oslo";
    EXPECT_EQ(shownNames(list), (std::vector<std::string>{"A", "None"}));
    list.selectedLocation = "oslo";
    EXPECT_TRUE(shownNames(list).empty());
    list.tagTable["c"] = true;
    list.selectedLocation = "All";
    EXPECT_EQ(shownNames(list), (std::vector<std::string>{"B"}));
    // The blank entry of the location list means the targets without one.
    list.tagTable["c"] = false;
    addTarget(list, makeTarget("Nowhere", ""));
    list.selectedLocation.clear();
    EXPECT_EQ(shownNames(list), (std::vector<std::string>{"Nowhere"}));
}

TEST_F(TargetFilterTest, CheckMarksDecideEveryActiveFlagAndTheCount) {
    applyCheckMarks(list, {3, 3, 99});
    EXPECT_EQ(list.activeCount, 1);
    EXPECT_FALSE(findTarget(list, 2)->active);  // hidden or unchecked ends inactive
    EXPECT_TRUE(findTarget(list, 3)->active);
    applyCheckMarks(list, {});
    EXPECT_EQ(list.activeCount, 0);
}

TEST_F(TargetFilterTest, EditKeepsIdActiveAndStateAndLearnsTheLocation) {
    findTarget(list, 3)->search.hitCount = 7;
    Target edited = makeTarget("B2", "Tromsø", {"x"}, false);
    edited.id = 42;
    ASSERT_TRUE(updateTarget(list, 3, edited));
    const Target* t = findTarget(list, 3);
    EXPECT_EQ(t->name, "B2");
    EXPECT_EQ(t->tags, std::set<std::string>{"x"});
    EXPECT_EQ(t->search.hitCount, 7);
    EXPECT_EQ(list.locations.count("Tromsø"), 1u);
    EXPECT_FALSE(updateTarget(list, 42, edited));

    EXPECT_TRUE(deleteTarget(list, 3));
    EXPECT_FALSE(deleteTarget(list, 3));
    EXPECT_EQ(shownNames(list), (std::vector<std::string>{"A", "None"}));
    EXPECT_EQ(addTarget(list, makeTarget("New", "")), 5);
}

TEST_F(TargetFilterTest, TagTableKeepsFlagsOfKnownTagsAndIsReplacedByTheList) {
    list.tagTable["a"] = true;
    EXPECT_FALSE(rememberTag(list, "a"));
    EXPECT_TRUE(list.tagTable["a"]);
    EXPECT_TRUE(rememberTag(list, "d"));
    EXPECT_FALSE(list.tagTable["d"]);
    replaceTagTable(list, {{"z", true}, {"a", false}});
    EXPECT_EQ(list.tagTable, (std::map<std::string, bool>{{"a", false}, {"z", true}}));
}

TEST(PortsTest, PortIsTheNumberBetweenTheFirstColonAndTheNextSlash) {
    EXPECT_EQ(portOfZurl("host/db"), std::nullopt);
    EXPECT_EQ(portOfZurl("host:7090"), std::nullopt);
    EXPECT_EQ(portOfZurl("host:2100/db"), 2100);
    EXPECT_EQ(portOfZurl("host: 2100x/db"), 2100);
    EXPECT_EQ(portOfZurl("host:/db"), 0);
    EXPECT_EQ(portOfZurl("tcp:host:210/db"), 0);
    EXPECT_EQ(portOfZurl("host:-5/db"), -5);
    EXPECT_EQ(portOfZurl("host:99999999999999999999/db"), 2147483647);
    // SRU addresses: the port after the host, none when the scheme's own.
    EXPECT_EQ(portOfZurl("http://sru.example.org:8080/db"), 8080);
    EXPECT_EQ(portOfZurl("HTTPS://sru.example.org/db"), std::nullopt);
}

TEST(PortsTest, ListAlwaysHolds210AndEachPortOnce) {
    TargetList list;
    for (const char* zurl : {"a:2100/x", "b:2100/y", "c/d", "e:7090", "f:9/z"}) {
        Target t;
        t.zurl = zurl;
        list.targets.push_back(t);
    }
    EXPECT_EQ(portNumbersText(usedPorts(list)), "9 \r\n210 \r\n2100 \r\n");
    EXPECT_EQ(portNumbersText(usedPorts(TargetList())), "210 \r\n");
}

}  // namespace
