#include "copies/CopyGroupText.h"

#include <utility>

std::string groupReasonText(const std::string& reasonKey) {
    static const std::pair<const char*, const char*> kKinds[] = {
        {"isbn:", "ISBN "}, {"oclc:", "OCLC "}, {"lccn:", "LCCN "}, {"issn:", "ISSN "}};
    for (const auto& [prefix, name] : kKinds)
        if (reasonKey.rfind(prefix, 0) == 0) return name + reasonKey.substr(5);
    if (reasonKey.rfind("work:", 0) == 0) return "title, author, date";
    if (reasonKey == "joined") return "joined by hand";
    return {};
}

std::string groupReasonText(const CopyGroup& group) {
    std::string text = groupReasonText(group.reasonKey);
    if (text.empty() || group.keptApart == 0) return text;
    return text + "; records sharing a number kept apart: other title and author, or other volume";
}

std::string groupCopiesText(const CopyGroup& group) {
    if (group.members.size() < 2) return "1 copy";
    return std::to_string(group.members.size()) + " copies, " + std::to_string(group.targets) +
           (group.targets == 1 ? " target" : " targets");
}
