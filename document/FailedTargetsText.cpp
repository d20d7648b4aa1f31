#include "document/FailedTargetsText.h"

std::string failedTargetsText(const std::vector<std::string>& failedNames) {
    if (failedNames.empty()) return "";
    std::string names;
    for (const std::string& name : failedNames) names += (names.empty() ? "" : ", ") + name;
    return ". Failed: " + names +
           ". Raise the time limit on the Profile page or check the address.";
}
