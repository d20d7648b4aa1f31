#include "probe/ProfileTexts.h"

#include "protocol/UseAttributes.h"

std::string namedUseAttribute(int use) {
    const std::string number = std::to_string(use);
    const std::string name = useAttributeName(use);
    if (name.find(number) != std::string::npos) return number;
    return name + " (" + number + ")";
}

std::string fallbacksText(const std::vector<IndexFallback>& fallbacks) {
    std::string text;
    for (const IndexFallback& f : fallbacks)
        text += (text.empty() ? "" : "; ") + namedUseAttribute(f.use) + " \u2192 " +
                namedUseAttribute(f.replacement);
    return text;
}

std::string unsupportedText(const std::set<int>& unsupported) {
    std::string text;
    for (int use : unsupported) text += (text.empty() ? "" : ", ") + namedUseAttribute(use);
    return text;
}
