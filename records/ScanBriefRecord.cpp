#include "records/ScanBriefRecord.h"

#include <boost/regex.hpp>
#include <exception>

#include "base/UserMessage.h"

bool ScanBriefRecord(const std::string& text, const std::string& pattern, std::string& field) {
    try {
        const boost::regex expression(pattern, boost::regex::perl);
        boost::smatch match;
        if (!boost::regex_search(text, match, expression)) return false;
        field = match.size() > 1 && match[1].matched ? match.str(1) : std::string();
        return true;
    } catch (const std::exception& e) {
        // Also what a search too complex for the library throws.
        field = e.what();
    } catch (...) {
        field = "ScanBriefRecord Error";
    }
    showUserMessage(field);
    return false;
}
