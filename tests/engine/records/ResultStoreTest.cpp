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
