// A directory of targets brought into the target list: which files are read,
// what each record becomes beside the list, and the adding. planImport runs
// on any thread (it reads files only); applyImport on the list's thread.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "directory/DirectoryRules.h"
#include "targets/Target.h"

class TargetList;

// The tag every imported target carries.
inline const std::string kImportedTag = "imported";

struct ImportRefusal {
    std::string path;
    std::string reason;
};

struct ImportPlan {
    // New targets, unticked and tagged, in file and record order.
    std::vector<Target> toAdd;
    // Names of the records whose target the list (or an earlier record) has.
    std::vector<std::string> alreadyThere;
    std::vector<ImportRefusal> refused;
    // Paths that could not be read at all (also among the refused).
    int unreadable = 0;
    bool cancelled = false;
};

// The keys of the list's targets, to check records against.
std::set<TargetKey> keysOfList(const TargetList& list);

// Each path is a ZeeRex file or a folder of them (its files in name order,
// hidden ones left out, no subfolders). cancelled, when given, is asked
// between files.
ImportPlan planImport(const std::vector<std::string>& paths, std::set<TargetKey> known,
                      const std::function<bool()>& cancelled = {});

// Appends the plan's targets and makes the tag known; returns how many.
int applyImport(TargetList& list, const ImportPlan& plan);
