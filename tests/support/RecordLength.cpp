#include "RecordLength.h"

std::string withoutRecordLength(std::string form, const std::string& leaderStart) {
    const size_t at = form.find(leaderStart);
    if (at != std::string::npos && form.size() >= at + leaderStart.size() + 5)
        form.replace(at + leaderStart.size(), 5, "#####");
    return form;
}
