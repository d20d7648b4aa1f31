// What the Databases page shows and does, over the target list alone: the
// filtered entries, the check marks turned into active flags, and the list
// edits of its buttons. Pure functions; UI thread (they change the list).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "targets/TargetList.h"

// The location entry that stands for no location filter.
inline const std::string kAllLocations = "All";

// One row of the Databases page's target list.
struct TargetEntry {
    int32_t id = 0;
    // The name, a tab and the location.
    std::string text;
    bool checked = false;
};

// The targets that pass the tag and the location filter, in list order, each
// checked when it is active.
std::vector<TargetEntry> filterTargets(const TargetList& list);

// Exactly the targets with the given ids become active; activeCount follows.
void applyCheckMarks(TargetList& list, const std::vector<int32_t>& checkedIds);

// The target with id; null when there is none.
Target* findTarget(TargetList& list, int32_t id);

// Appends target with the next id and remembers its location; returns the id.
int32_t addTarget(TargetList& list, Target target);

// Writes target's editable fields and tags over those of the target with id,
// keeping its id, active flag and search state; false when there is none.
bool updateTarget(TargetList& list, int32_t id, const Target& edited);

// Removes the target with id; false when there is none.
bool deleteTarget(TargetList& list, int32_t id);

// Replaces the tag table by the tag list's entries and their check marks.
void replaceTagTable(TargetList& list, const std::vector<std::pair<std::string, bool>>& entries);

// Makes tag known, not selected unless it already was; true when it was new.
bool rememberTag(TargetList& list, const std::string& tag);
