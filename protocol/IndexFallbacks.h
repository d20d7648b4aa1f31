// A query made fit for a target that lacks some indexes: its profile's
// replacements applied, before sending (indexes known to be missing) or after
// the target rejected one. Pure; any thread.
#pragma once

#include <set>
#include <string>

#include "targets/TargetProfile.h"

struct FallbackRewrite {
    std::string pqf;
    // One line per replaced index, for the user; empty when nothing changed.
    std::string note;
    // The use attributes the rewrite put in.
    std::set<int> replacements;
};

// Replaces the indexes the profile marks unsupported that have a replacement.
FallbackRewrite rewriteKnownUnsupported(const std::string& pqf, const TargetProfile& profile);

// The target rejected a use attribute (addinfo names it when the server
// says which): replaces that one, or every index of the query with a
// replacement when it did not say. Uses in alreadyReplaced, put in by an
// earlier rewrite, stay: fallbacks that chain (7 to 8, 8 to 7) end after one
// replacement. An empty note: nothing to try again.
FallbackRewrite rewriteRejected(const std::string& pqf, const std::string& addinfo,
                                const TargetProfile& profile,
                                const std::set<int>& alreadyReplaced = {});

// "ISBN index not supported; searched Any instead"
std::string fallbackNote(int use, int replacement);
