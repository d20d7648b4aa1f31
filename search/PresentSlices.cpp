#include "search/PresentSlices.h"

#include <algorithm>
#include <string>

void setPresentSlices(ZOOM_connection connection, bool fromStart, int32_t recordsWanted) {
    ZOOM_connection_option_set(connection, "presentChunk",
                               std::to_string(kRecordsPerSlice).c_str());
    if (!fromStart || recordsWanted <= 0) return;
    // The bounds the toolkit itself sends for a search that brings records,
    // with fewer of them.
    ZOOM_connection_option_set(connection, "largeSetLowerBound", "2000000000");
    ZOOM_connection_option_set(connection, "smallSetUpperBound", "1");
    ZOOM_connection_option_set(connection, "mediumSetPresentNumber",
                               std::to_string(std::min(recordsWanted, kFirstRecords)).c_str());
}
