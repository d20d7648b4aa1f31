#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MarcBuilder.h"
#include "marc/MarcReader.h"

namespace {

// Writes every event down as one line, and checks that each view it is given
// lies inside the buffer being read.
class RecordingHandler : public MarcHandler {
public:
    RecordingHandler(bool wantSubfields, const char* begin, size_t size)
        : wantSubfields_(wantSubfields), begin_(begin), end_(begin + size) {}

    std::vector<std::string> events;
    bool viewOutside = false;

    void onLeader(const MarcLeader& leader) override {
        check(leader.bytes());
        events.push_back("leader " + std::to_string(leader.recordLength()) + " " +
                         std::to_string(leader.baseAddress()));
    }
    void onRecordEnd() override { events.push_back("end"); }
    void onControlField(std::string_view tag, const MarcField& field) override {
        check(tag), check(field.bytes());
        events.push_back("control " + std::string(tag) + " " + std::string(field.bytes()));
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        check(tag), check(field.bytes());
        events.push_back("data " + std::string(tag) + " " + std::string(field.bytes()));
        return wantSubfields_;
    }
    void onSubfield(char code, std::string_view content) override {
        check(content);
        events.push_back(std::string("sub ") + code + " " + std::string(content));
    }
    void onDataFieldEnd() override { events.push_back("field end"); }

private:
    void check(std::string_view view) {
        if (!view.empty() && (view.data() < begin_ || view.data() + view.size() > end_))
            viewOutside = true;
    }
    bool wantSubfields_;
    const char* begin_;
    const char* end_;
};

// Reads from a heap block of exactly the record's size, so that AddressSanitizer
// sees any byte read past it.
std::vector<std::string> readEvents(const std::string& record, bool wantSubfields = true,
                                    bool* viewOutside = nullptr) {
    std::unique_ptr<char[]> exact(new char[record.size() + (record.empty() ? 1 : 0)]);
    std::copy(record.begin(), record.end(), exact.get());
    RecordingHandler handler(wantSubfields, exact.get(), record.size());
    EXPECT_TRUE(MarcReader().read(exact.get(), record.size(), handler));
    if (viewOutside) *viewOutside = handler.viewOutside;
    return handler.events;
}

std::string sampleRecord() {
    return MarcBuilder()
        .control("001", "123")
        .data("245", "10", {{'a', "Title :"}, {'b', "sub."}})
        .control("00X", "x")
        .data("0A1", "  ", {{'z', "q"}})
        .build();
}

TEST(MarcReaderTest, ReportsFieldsInDirectoryOrderWithSubfieldsOnRequest) {
    const std::string record = sampleRecord();
    const std::vector<std::string> expected = {"leader " + std::to_string(record.size()) + " 73",
                                               marcBytes("control 001 123#"),
                                               marcBytes("data 245 10$aTitle :$bsub.#"),
                                               "sub a Title :",
                                               "sub b sub.",
                                               "field end",
                                               marcBytes("control 00X x#"),
                                               marcBytes("data 0A1   $zq#"),
                                               "sub z q",
                                               "field end",
                                               "end"};
    EXPECT_EQ(readEvents(record), expected);

    // A handler that wants no subfields gets neither them nor the field end.
    const std::vector<std::string> quiet = readEvents(record, false);
    EXPECT_EQ(quiet.size(), 6u);
    EXPECT_EQ(quiet[2], expected[2]);
    EXPECT_EQ(quiet[3], marcBytes("control 00X x#"));
}

TEST(MarcReaderTest, SubfieldsEndAtDelimiterOrTerminatorAndNeedACode) {
    const std::string record = MarcBuilder().raw("500", marcBytes("  $a$bx#y$c$")).build();
    const std::vector<std::string> events = readEvents(record);
    const std::vector<std::string> subfields(events.begin() + 2, events.end() - 2);
    EXPECT_EQ(subfields, (std::vector<std::string>{"sub a ", "sub b x", "sub c "}));
}

TEST(MarcReaderTest, BaseAddressAloneGivesTheEntryCount) {
    std::string record = MarcBuilder().control("001", "a").control("003", "b").build();
    ASSERT_EQ(record.substr(12, 5), "00049");

    // 38 still counts two entries, 37 one, 26 one: (B - 26) / 12 + 1.
    record.replace(12, 5, "00038");
    EXPECT_EQ(readEvents(record).size(), 4u);
    record.replace(12, 5, "00037");
    EXPECT_EQ(readEvents(record).size(), 3u);
    record.replace(12, 5, "00026");
    EXPECT_EQ(readEvents(record).size(), 3u);

    // 25 or less, or anything but five digits: no fields at all.
    for (const char* base : {"00025", "00000", "0004x", " 0049", "-0049"}) {
        record.replace(12, 5, base);
        const std::vector<std::string> events = readEvents(record);
        ASSERT_EQ(events.size(), 2u) << base;
        EXPECT_EQ(events.back(), "end");
    }
}

TEST(MarcReaderTest, DirectoryTerminatorIsNotLookedFor) {
    std::string record = MarcBuilder().control("001", "a").control("003", "b").build();
    ASSERT_EQ(record[48], marcBytes("#")[0]);
    record[48] = 'x';
    const std::vector<std::string> events = readEvents(record);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[2], marcBytes("control 003 b#"));
}

TEST(MarcReaderTest, BadEntriesAreSkippedAndTheNextOneRead) {
    std::string record = MarcBuilder()
                             .control("001", "one")
                             .control("002", "two")
                             .control("003", "three")
                             .control("004", "four")
                             .build();
    record[24 + 3] = 'x';                // 001: length not digits
    record.replace(36 + 7, 5, "9999 ");  // 002: start not digits
    record.replace(48 + 7, 5, "99990");  // 003: starts past the end
    const std::vector<std::string> events = readEvents(record);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1], marcBytes("control 004 four#"));
}

TEST(MarcReaderTest, FieldRunningPastTheBufferIsClipped) {
    std::string record = MarcBuilder().data("245", "10", {{'a', "Cut"}}).build();
    record.replace(24 + 3, 4, "9999");
    bool outside = true;
    const std::vector<std::string> events = readEvents(record, true, &outside);
    EXPECT_FALSE(outside);
    EXPECT_EQ(events[1], marcBytes("data 245 10$aCut#%"));
}

TEST(MarcReaderTest, TruncatedAndShortRecordsStayInsideTheBuffer) {
    const std::string record = sampleRecord();
    for (size_t length = 0; length <= record.size(); ++length) {
        bool outside = true;
        const std::vector<std::string> events =
            readEvents(record.substr(0, length), true, &outside);
        EXPECT_FALSE(outside) << length;
        ASSERT_GE(events.size(), 2u);
        EXPECT_EQ(events.front().rfind("leader", 0), 0u);
        EXPECT_EQ(events.back(), "end");
        // Shorter than a leader: the numbers that are missing read -1.
        if (length < 17) {
            EXPECT_EQ(events.size(), 2u) << length;
        }
        if (length < 5) {
            EXPECT_EQ(events.front(), "leader -1 -1") << length;
        }
    }
}

TEST(MarcReaderTest, HugeBaseAddressOnASmallBufferEndsTheDirectory) {
    std::string record = sampleRecord();
    record.replace(12, 5, "99999");
    bool outside = true;
    const std::vector<std::string> events = readEvents(record, true, &outside);
    EXPECT_FALSE(outside);
    EXPECT_EQ(events.back(), "end");
}

TEST(MarcReaderTest, LeaderNumbersReadAsFixedDigitRuns) {
    EXPECT_EQ(readMarcNumber("00759cam", 0, 5), 759);
    EXPECT_EQ(readMarcNumber("0075 cam", 0, 5), -1);
    EXPECT_EQ(readMarcNumber("0075", 0, 5), -1);
    EXPECT_EQ(readMarcNumber("x12", 1, 2), 12);
    EXPECT_EQ(readMarcNumber("x12", 4, 0), -1);
    EXPECT_EQ(MarcLeader("00759cam a2200229 a 4500").baseAddress(), 229);
    EXPECT_EQ(MarcLeader::leaderLength(), 24);
}

}  // namespace
