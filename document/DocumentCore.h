// What the program's one document owns, usable without a window: the target
// list, the worker pool, the settings, the query, the records, the selection
// and the search. The window's document and the headless tools build on it.
// Every operation runs on the UI (main) thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsData.h"
#include "copies/CopyGrouping.h"
#include "records/ResultStore.h"
#include "search/SearchJob.h"
#include "search/SearchQuery.h"
#include "search/WorkerPool.h"
#include "targets/TargetList.h"

// The records a command acts on: the list's selected rows, all rows the list
// shows, every record of one target, or every copy in the groups of the
// selected rows.
enum class RecordScope { Selection, List, Target, Groups };

class DocumentCore {
public:
    // makeSettings loads the settings (the window and the tools pass the
    // persistent store; tests pass plain values).
    using SettingsFactory = std::function<std::unique_ptr<SettingsData>()>;

    explicit DocumentCore(const SettingsFactory& makeSettings);
    // Stops the search and waits for the workers before any data they use
    // is released.
    ~DocumentCore();
    DocumentCore(const DocumentCore&) = delete;
    DocumentCore& operator=(const DocumentCore&) = delete;

    // Members in construction order.
    TargetList targetList;
    std::unique_ptr<WorkerPool> pool;
    std::unique_ptr<SettingsData> settings;
    SearchQuery query;
    ResultStore store;
    DocumentSelection selection;
    SearchJob search;
    // Copies of one book, grouped; fed from the store by whoever shows them,
    // emptied when a search starts.
    CopyGrouping copies;

    // The new-document step: selection reset, pool limit from the settings,
    // target list loaded from "TargetFile" and sorted by name.
    bool newDocument();

    // Handles one search event: recounts the totals, applies the per-search
    // limit and tells the views. Returns the progress text for the status bar.
    std::string handleSearchEvent(int32_t code, int32_t targetId);

    // True once every target is finished and no task is queued or running: the
    // search has ended and its last records are in the store.
    bool searchSettled() const;

    // The numbers of the records in scope: the list's in its order, a
    // target's (targetId) in store order. Empty when there are none.
    std::vector<int32_t> recordNumbers(RecordScope scope, int32_t targetId = -1) const;

    // Stops whatever runs and waits (bounded) until no task is working, so the
    // target list may be replaced.
    void quiesce();
};
