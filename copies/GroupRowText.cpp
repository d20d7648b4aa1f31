#include "copies/GroupRowText.h"

#include <algorithm>

std::string groupTargetsText(const std::vector<std::string>& targetsBestFirst) {
    std::vector<std::string> names;
    for (const std::string& name : targetsBestFirst)
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    constexpr size_t kMostNamed = 3;
    if (names.size() > kMostNamed) return std::to_string(names.size()) + " targets";
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string copyLineCopiesText(bool groupRow, bool bestCopy, const std::string& groupCopies) {
    if (groupRow) return groupCopies;
    return bestCopy ? "best copy" : "";
}
