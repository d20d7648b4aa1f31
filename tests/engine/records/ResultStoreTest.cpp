#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "records/ResultStore.h"

TEST(ResultStoreTest, NumbersFollowArrivalAcrossTargets) {
    ResultStore store;
    for (int i = 0; i < 6; ++i) {
        Record r;
        r.targetId = i % 2 == 0 ? 2 : 3;
        r.title = "t" + std::to_string(i);
        store.add(r);
    }
    Record r;
    ASSERT_TRUE(store.copyRecord(5, r));
    EXPECT_EQ(r.title, "t4");
    EXPECT_EQ(store.copyAll()[4].number, 5);
    EXPECT_FALSE(store.copyRecord(7, r));
    EXPECT_FALSE(store.copyRecord(0, r));
    store.clear();
    EXPECT_EQ(store.count(), 0u);
    store.add(Record());
    EXPECT_EQ(store.copyAll()[0].number, 1);
}

TEST(ResultStoreTest, ConcurrentAddsGiveUniqueConsecutiveNumbers) {
    ResultStore store;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&store, t] {
            for (int i = 0; i < 250; ++i) {
                Record r;
                r.targetId = t;
                store.add(r);
            }
        });
    }
    for (auto& th : threads) th.join();
    const std::vector<Record> all = store.copyAll();
    ASSERT_EQ(all.size(), 1000u);
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].number, static_cast<int32_t>(i + 1));
}

TEST(ResultStoreTest, ReplaceKeepsReceivedRecordForRevert) {
    ResultStore store;
    for (const char* title : {"first", "second", "third"}) {
        Record r;
        r.title = title;
        r.targetId = 7;
        r.targetName = "Library";
        r.batchQuery = 2;
        store.add(r);
    }
    Record corrected;
    corrected.title = "second, corrected";
    corrected.targetId = 99;
    EXPECT_FALSE(store.replaceRecord(4, corrected));
    EXPECT_FALSE(store.isEdited(2));
    ASSERT_TRUE(store.replaceRecord(2, corrected));
    EXPECT_TRUE(store.isEdited(2));
    EXPECT_FALSE(store.isEdited(1));

    Record r;
    ASSERT_TRUE(store.copyRecord(2, r));
    EXPECT_EQ(r.title, "second, corrected");
    EXPECT_EQ(r.number, 2);
    EXPECT_EQ(r.targetId, 7);
    EXPECT_EQ(r.targetName, "Library");
    EXPECT_EQ(r.batchQuery, 2);
    EXPECT_EQ(store.copyAll()[1].title, "second, corrected");
    EXPECT_EQ(store.count(), 3u);

    // A second correction must not lose the record as received.
    corrected.title = "second, corrected again";
    ASSERT_TRUE(store.replaceRecord(2, corrected));
    ASSERT_TRUE(store.revertRecord(2));
    ASSERT_TRUE(store.copyRecord(2, r));
    EXPECT_EQ(r.title, "second");
    EXPECT_FALSE(store.isEdited(2));
    EXPECT_FALSE(store.revertRecord(2));
    ASSERT_TRUE(store.copyRecord(3, r));
    EXPECT_EQ(r.title, "third");
}

TEST(ResultStoreTest, ClearForgetsCorrections) {
    ResultStore store;
    store.add(Record());
    store.replaceRecord(1, Record());
    store.clear();
    store.add(Record());
    EXPECT_FALSE(store.isEdited(1));
    EXPECT_FALSE(store.revertRecord(1));
}

TEST(ResultStoreTest, ReplaceWhileAddingFromAnotherThread) {
    ResultStore store;
    store.add(Record());
    std::thread adder([&store] {
        for (int i = 0; i < 500; ++i) store.add(Record());
    });
    Record corrected;
    corrected.title = "corrected";
    for (int i = 0; i < 200; ++i) {
        store.replaceRecord(1, corrected);
        store.revertRecord(1);
    }
    store.replaceRecord(1, corrected);
    adder.join();
    Record r;
    ASSERT_TRUE(store.copyRecord(1, r));
    EXPECT_EQ(r.title, "corrected");
    EXPECT_EQ(store.count(), 501u);
}
