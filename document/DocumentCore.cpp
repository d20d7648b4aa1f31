#include "document/DocumentCore.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "document/FailedTargetsText.h"
#include "protocol/z3950/ZoomInit.h"
#include "xml/XmlService.h"

DocumentCore::DocumentCore(const SettingsFactory& makeSettings)
    : pool(std::make_unique<WorkerPool>()),
      settings(makeSettings()),
      search(targetList, query, store, *settings, *pool, selection) {
    // On the main thread, before any search can put a task on a worker.
    initializeZoom();
    initXmlService();
}

DocumentCore::~DocumentCore() {
    search.stopSearch();
    // The pool joins its workers; queued tasks are dropped without running.
    pool.reset();
}

bool DocumentCore::newDocument() {
    selection.selectedRecordNumber = -1;
    selection.selectedTargetId = -1;
    search.totalRetrieved = 0;
    pool->setMaxWorkers(settings->MaxConnections);
    quiesce();
    targetList.nextId = 1;
    targetList.loadFile(settings->TargetFile);
    targetList.sortByName();
    return true;
}

std::string DocumentCore::handleSearchEvent(int32_t code, int32_t targetId) {
    std::string text = search.updateTotals();
    if (search.searchMayStart()) {
        std::vector<std::string> failed;
        for (const Target& target : targetList.targets)
            if (target.active && target.search.errorFlag) failed.push_back(target.name);
        text += failedTargetsText(failed);
    }
    search.enforceSearchLimit();
    const SearchEventHint hint{code, targetId};
    search.broadcastSearchEvent(hint);
    return text;
}

bool DocumentCore::searchSettled() const {
    return search.searchMayStart() && pool->busyCount() == 0 && pool->queuedCount() == 0;
}

std::vector<int32_t> DocumentCore::recordNumbers(RecordScope scope, int32_t targetId) const {
    switch (scope) {
        case RecordScope::Selection:
            return selection.selectedRecordNumbers;
        case RecordScope::List:
            return selection.listedRecordNumbers;
        case RecordScope::Groups:
            return copies.allCopies(selection.selectedRecordNumbers);
        case RecordScope::Target:
            break;
    }
    std::vector<int32_t> numbers;
    store.visitBriefFields([&](const BriefFields& record) {
        if (record.targetId == targetId) numbers.push_back(record.number);
    });
    return numbers;
}

void DocumentCore::quiesce() {
    search.invalidateTasks();
    // Stale tasks end at their next check (a fraction of a second); bounded so
    // a wedged toolkit call cannot hang the window.
    for (int i = 0; i < 500 && pool->busyCount() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}
