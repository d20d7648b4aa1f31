#include "views/GroupedListBuild.h"

#include <chrono>
#include <utility>

GroupedListBuild::GroupedListBuild() : grouping_(std::make_unique<CopyGrouping>()) {}

GroupedListBuild::~GroupedListBuild() {
    // The job reads the store and the grouping.
    if (job_.valid()) job_.wait();
}

void GroupedListBuild::startOver() {
    changes_.clear();
    changesMade_ = 0;
    if (job_.valid())
        clearFirst_ = true;
    else
        grouping_->clear();
}

void GroupedListBuild::takeOut(int32_t number) { changes_.push_back({false, {number}}); }

void GroupedListBuild::join(const std::vector<int32_t>& numbers) {
    changes_.push_back({true, numbers});
}

void GroupedListBuild::applyChangesSince(size_t made, CopyGrouping& grouping) const {
    make(changes_, made, grouping);
}

void GroupedListBuild::make(const std::vector<Change>& changes, size_t from,
                            CopyGrouping& grouping) {
    for (size_t i = from; i < changes.size(); ++i) {
        if (changes[i].join)
            grouping.join(changes[i].numbers);
        else
            grouping.takeOut(changes[i].numbers.front());
    }
}

void GroupedListBuild::start(const ResultStore& store, const Request& request,
                             std::function<void()> done) {
    if (job_.valid()) return;
    std::vector<Change> changes(changes_.begin() + static_cast<ptrdiff_t>(changesMade_),
                                changes_.end());
    changesMade_ = changes_.size();
    const bool clearFirst = std::exchange(clearFirst_, false);
    job_ = std::async(
        std::launch::async, [this, &store, request, clearFirst, changes = std::move(changes),
                             made = changesMade_, done = std::move(done)] {
            CopyGrouping& grouping = *grouping_;
            if (clearFirst) grouping.clear();
            make(changes, 0, grouping);
            Result result;
            result.request = request;
            result.groups = GroupedRecordModel::listedGroups(store, grouping, request.targetId,
                                                             request.sortColumn, request.ascending);
            result.grouping = grouping;
            result.changesMade = made;
            done();
            return result;
        });
}

bool GroupedListBuild::finished() const {
    return job_.valid() && job_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

GroupedListBuild::Result GroupedListBuild::take() { return job_.get(); }
