#include "app/CommandAvailability.h"

#include "document/DocumentCore.h"

CommandAvailability commandAvailability(const DocumentCore& doc, ActivePane active,
                                        bool recordHasSelection) {
    CommandAvailability a;
    a.search = doc.search.searchMayStart();
    a.options = a.search;
    a.stop = doc.search.stopAvailable();
    a.resume = doc.search.resumeAvailable();
    const size_t chosen = doc.selection.selectedRecordNumbers.size();
    a.exportRecord = chosen > 0;
    a.exportDatabase = chosen > 0;
    a.exportList = !doc.selection.listedRecordNumbers.empty();
    a.compare = chosen >= 2 && chosen <= 4;
    const bool recordActive = active == ActivePane::Record;
    a.print = recordActive;
    a.copy =
        (recordActive && recordHasSelection) || (active == ActivePane::RecordList && chosen > 0);
    a.cut = false;
    a.paste = false;
    return a;
}
