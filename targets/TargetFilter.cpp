#include "targets/TargetFilter.h"

#include <algorithm>

namespace {

bool passesTagFilter(const TargetList& list, const Target& target) {
    bool filterOn = false;
    for (const auto& [tag, selected] : list.tagTable) {
        if (!selected) continue;
        filterOn = true;
        if (target.tags.count(tag)) return true;
    }
    return !filterOn;
}

bool passesLocationFilter(const TargetList& list, const Target& target) {
    // The blank entry is a location too: the targets that have none.
    return list.selectedLocation == kAllLocations || target.location == list.selectedLocation;
}

}  // namespace

std::vector<TargetEntry> filterTargets(const TargetList& list) {
    std::vector<TargetEntry> entries;
    for (const Target& t : list.targets) {
        if (!passesTagFilter(list, t) || !passesLocationFilter(list, t)) continue;
        entries.push_back({t.id, t.name + '\t' + t.location, t.active});
    }
    return entries;
}

void applyCheckMarks(TargetList& list, const std::vector<int32_t>& checkedIds) {
    for (Target& t : list.targets) t.active = false;
    list.activeCount = 0;
    for (int32_t id : checkedIds) {
        Target* t = findTarget(list, id);
        // An id listed twice must not count its target twice.
        if (t && !t->active) {
            t->active = true;
            ++list.activeCount;
        }
    }
}

Target* findTarget(TargetList& list, int32_t id) {
    auto it = std::find_if(list.targets.begin(), list.targets.end(),
                           [id](const Target& t) { return t.id == id; });
    return it == list.targets.end() ? nullptr : &*it;
}

int32_t addTarget(TargetList& list, Target target) {
    target.id = ++list.nextId;
    list.locations.insert(target.location);
    list.targets.push_back(std::move(target));
    return list.nextId;
}

bool updateTarget(TargetList& list, int32_t id, const Target& edited) {
    Target* t = findTarget(list, id);
    if (!t) return false;
    t->tags = edited.tags;
    t->name = edited.name;
    t->zurl = edited.zurl;
    t->recsyntax = edited.recsyntax;
    t->elementsetname = edited.elementsetname;
    t->location = edited.location;
    t->website = edited.website;
    t->catalogue = edited.catalogue;
    t->username = edited.username;
    t->password = edited.password;
    list.locations.insert(t->location);
    return true;
}

bool deleteTarget(TargetList& list, int32_t id) {
    const auto before = list.targets.size();
    list.targets.remove_if([id](const Target& t) { return t.id == id; });
    return list.targets.size() != before;
}

void replaceTagTable(TargetList& list, const std::vector<std::pair<std::string, bool>>& entries) {
    list.tagTable.clear();
    for (const auto& [tag, selected] : entries) list.tagTable[tag] = selected;
}

bool rememberTag(TargetList& list, const std::string& tag) {
    return list.tagTable.emplace(tag, false).second;
}
