// The grouped list built off the UI thread. The document's grouping belongs
// to the UI thread (the export of whole groups and the batch report read
// it), so the worker keeps a grouping of its own, catches it up with the
// store and hands back a copy of it with the groups it lists.
#pragma once

#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <vector>

#include "copies/CopyGrouping.h"
#include "views/GroupedRecordModel.h"

class ResultStore;

class GroupedListBuild {
public:
    struct Request {
        int32_t targetId = -1;
        int sortColumn = -1;
        bool ascending = true;
    };
    struct Result {
        Request request;
        std::vector<GroupedRecordModel::Group> groups;
        // The grouping the groups come from, with the user's changes up to
        // changesMade.
        CopyGrouping grouping;
        size_t changesMade = 0;
    };

    GroupedListBuild();
    ~GroupedListBuild();

    // UI thread. Forgets the records and the user's changes (a new search),
    // at once or, while a build runs, before the next one.
    void startOver();
    // UI thread. The user's changes to the groups, made in the worker's
    // grouping before the next build, and to one handed back after it.
    void takeOut(int32_t number);
    void join(const std::vector<int32_t>& numbers);
    void applyChangesSince(size_t made, CopyGrouping& grouping) const;

    bool running() const { return job_.valid(); }
    // The running build has handed over what it built.
    bool finished() const;
    // UI thread, none running. done is called on the worker as it ends.
    void start(const ResultStore& store, const Request& request, std::function<void()> done);
    // UI thread: waits for the running build and hands over what it built.
    Result take();

private:
    struct Change {
        bool join = false;
        std::vector<int32_t> numbers;
    };
    static void make(const std::vector<Change>& changes, size_t from, CopyGrouping& grouping);

    // Only the running build touches it.
    std::unique_ptr<CopyGrouping> grouping_;
    bool clearFirst_ = false;
    size_t changesMade_ = 0;  // of changes_, in grouping_
    std::vector<Change> changes_;
    std::future<Result> job_;
};
