#include "display/LinkAction.h"

#include <cctype>
#include <limits>

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The leading decimal digits of text; false when the number does not fit.
bool leadingNumber(const std::string& text, int32_t& number) {
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) return false;
    }
    number = static_cast<int32_t>(value);
    return true;
}

}  // namespace

LinkAction linkActionFor(const std::string& address) {
    LinkAction action;
    const size_t colon = address.find(':');
    if (colon == std::string::npos) return action;
    const std::string scheme = lowerCase(address.substr(0, colon));
    if (scheme == "retry" || scheme == "resume") {
        if (leadingNumber(address.substr(colon + 1), action.targetId))
            action.kind = scheme == "retry" ? LinkAction::Retry : LinkAction::Resume;
    } else if (scheme == "http" || scheme == "https" || scheme == "mailto") {
        action.kind = LinkAction::OpenInBrowser;
    }
    return action;
}
