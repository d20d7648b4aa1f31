// A query made fit for a target that lacks some indexes: its profile's
// replacements applied, before sending (indexes known to be missing) or after
// the target rejected one. Pure; any thread.
#pragma once

#include <string>

#include "targets/TargetProfile.h"

struct FallbackRewrite {
    std::string pqf;
    // One line per replaced index, for the user; empty when nothing changed.
    std::string note;
};

// Replaces the indexes the profile marks unsupported that have a replacement.
FallbackRewrite rewriteKnownUnsupported(const std::string& pqf, const TargetProfile& profile);

// The target rejected a use attribute (addinfo names it when the server
// says which): replaces that one, or every index of the query with a
// replacement when it did not say. An empty note: nothing to try again.
FallbackRewrite rewriteRejected(const std::string& pqf, const std::string& addinfo,
                                const TargetProfile& profile);

// "ISBN index not supported; searched Any instead"
std::string fallbackNote(int use, int replacement);
