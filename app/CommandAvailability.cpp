#include "app/CommandAvailability.h"

#include "engine/DocumentCore.h"

CommandAvailability commandAvailability(const DocumentCore& doc, ActivePane active,
                                        bool recordHasSelection) {
    CommandAvailability a;
    a.search = doc.search.searchMayStart();
    a.options = a.search;
    a.stop = doc.search.stopAvailable();
    a.resume = doc.search.resumeAvailable();
    a.exportRecord = doc.selection.selectedRecordNumber > 0;
    const bool recordActive = active == ActivePane::Record;
    a.print = recordActive;
    a.copy = recordActive && recordHasSelection;
    a.cut = false;
    a.paste = false;
    return a;
}
