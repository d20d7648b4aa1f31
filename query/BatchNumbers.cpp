#include "query/BatchNumbers.h"

#include <algorithm>

#include "search/SearchQuery.h"
#include "marc/StandardNumber.h"
#include "query/QueryComposer.h"

namespace {

std::string attributeTerm(const char* attribute, const std::string& number) {
    // Numbers are digits and X by their form; anything else that got in
    // through a wrong check digit still must reach the toolkit as one term.
    bool plain = !number.empty() && number[0] != '@';
    for (unsigned char c : number) plain = plain && c > ' ' && c != '"' && c != '\\';
    return std::string(attribute) + (plain ? number : quotePqfTerm(number));
}

std::string duplicateKey(const std::string& number) {
    // A wrong check digit made right by the conversion would pass for another number.
    if (!standardNumberCheckOk(number)) return number;
    const std::string as13 = isbnAs13(number);
    return as13.empty() ? number : as13;
}

// The text without the blanks around it nor a byte-order mark before it.
std::string asGiven(const std::string& text) {
    const size_t bom = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const size_t first = text.find_first_not_of(" \t\r\n", bom);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

}  // namespace

std::string batchQueryFor(const std::string& number) {
    const StandardNumberKind kind = standardNumberForm(number);
    // Many catalogues index an ISSN only with its hyphen, others only without.
    if (kind == StandardNumberKind::Issn)
        return "@or " + attributeTerm("@attr 1=8 ", number) + " " +
               attributeTerm("@attr 1=8 ", number.substr(0, 4) + "-" + number.substr(4));
    // A catalogue may index either form; 979 ISBNs have only the ISBN-13.
    // A wrong check digit is searched as given: its other form is no number.
    if (kind != StandardNumberKind::None && standardNumberCheckOk(number)) {
        const std::string as10 = isbnAs10(number);
        const std::string as13 = isbnAs13(number);
        if (!as10.empty())
            return "@or " + attributeTerm("@attr 1=7 ", as10) + " " +
                   attributeTerm("@attr 1=7 ", as13);
    }
    return attributeTerm("@attr 1=7 ", number);
}

BatchNumberList::AddResult BatchNumberList::addBatchNumber(const std::string& text,
                                                           std::string& message) {
    const std::string s = cleanStandardNumber(text);
    const StandardNumberKind kind = standardNumberForm(s);
    if (kind == StandardNumberKind::None) {
        message = asGiven(text) + " is not a valid ISBN or ISSN";
        return AddResult::Invalid;
    }
    if (!standardNumberCheckOk(s) && !acceptWrongCheck_) {
        message = s + " has a wrong check digit";
        return AddResult::WrongCheckDigit;
    }
    const std::string key = duplicateKey(s);
    if (keys_.count(key)) {
        message =
            (kind == StandardNumberKind::Issn ? "ISSN [ " : "ISBN [ ") + s + " ] already in List.";
        return AddResult::Duplicate;
    }
    numbers_.push_back(s);
    given_.push_back(asGiven(text));
    keys_.insert(key);
    message.clear();
    return AddResult::Added;
}

bool BatchNumberList::remove(const std::string& number) {
    const auto it = std::find(numbers_.begin(), numbers_.end(), number);
    if (it == numbers_.end()) return false;
    keys_.erase(duplicateKey(number));
    const auto index = static_cast<size_t>(it - numbers_.begin());
    for (BatchRefusal& r : refusals_)
        if (r.before > index) --r.before;
    given_.erase(given_.begin() + static_cast<std::ptrdiff_t>(index));
    numbers_.erase(it);
    return true;
}

void BatchNumberList::noteRefused(const std::string& text, const std::string& reason) {
    refusals_.push_back({numbers_.size(), asGiven(text), reason});
}

std::vector<std::string> BatchNumberList::queries() const {
    std::vector<std::string> result;
    result.reserve(numbers_.size());
    for (const std::string& n : numbers_) result.push_back(batchQueryFor(n));
    return result;
}

void visitInFileOrder(size_t numbers, const std::vector<BatchRefusal>& refusals,
                      const std::function<void(size_t)>& number,
                      const std::function<void(const BatchRefusal&)>& refused) {
    size_t next = 0;
    for (size_t i = 0; i < numbers; ++i) {
        for (; next < refusals.size() && refusals[next].before <= i; ++next)
            refused(refusals[next]);
        number(i);
    }
    for (; next < refusals.size(); ++next) refused(refusals[next]);
}

void useBatchNumbers(const BatchNumberList& numbers, SearchQuery& query) {
    query.batchList = numbers.queries();
    query.batchNumbers = numbers.givenNumbers();
    query.batchRefused = numbers.refusals();
    query.batch = true;
}

std::string stripLineEnd(std::string line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}
