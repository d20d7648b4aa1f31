#include "query/BatchNumbers.h"

#include <algorithm>

#include "query/QueryComposer.h"

bool isbn13ToIsbn10(const std::string& text, std::string& isbn10) {
    if (text.size() != 13 || text.compare(0, 3, "978") != 0) return false;
    // Only the length and the prefix are checked; other characters count by
    // their distance from '0', as the digits would.
    const std::string nine = text.substr(3, 9);
    long sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += static_cast<long>(static_cast<unsigned char>(nine[static_cast<size_t>(i)]) - '0') *
               (10 - i);
    const long r = ((sum % 11) + 11) % 11;
    char check = 'X';
    if (r == 0)
        check = '0';
    else if (r != 1)
        check = static_cast<char>('0' + (11 - r));
    isbn10 = nine + check;
    return true;
}

std::string batchQueryFor(const std::string& number) {
    // Only the length of a number is checked, so one typed with a blank (or a
    // quote) would make a query the toolkit cannot read: such a term is quoted.
    bool plain = !number.empty() && number[0] != '@';
    for (unsigned char c : number) plain = plain && c > ' ' && c != '"' && c != '\\';
    return (number.size() == 8 ? "@attr 1=8 " : "@attr 1=7 ") +
           (plain ? number : quotePqfTerm(number));
}

BatchNumberList::AddResult BatchNumberList::addBatchNumber(const std::string& text,
                                                           std::string& message) {
    std::string s;
    if (!isbn13ToIsbn10(text, s)) s = text;
    if (s.size() != 10 && s.size() != 8) {
        message = s + " is not a valid ISBN or ISSN";
        return AddResult::Invalid;
    }
    if (std::find(numbers_.begin(), numbers_.end(), s) != numbers_.end()) {
        message = (s.size() == 10 ? "ISBN [ " : "ISSN [ ") + s + " ] already in List.";
        return AddResult::Duplicate;
    }
    numbers_.push_back(s);
    message.clear();
    return AddResult::Added;
}

bool BatchNumberList::remove(const std::string& number) {
    const auto it = std::find(numbers_.begin(), numbers_.end(), number);
    if (it == numbers_.end()) return false;
    numbers_.erase(it);
    return true;
}

std::vector<std::string> BatchNumberList::queries() const {
    std::vector<std::string> result;
    result.reserve(numbers_.size());
    for (const std::string& n : numbers_) result.push_back(batchQueryFor(n));
    return result;
}

std::string stripLineEnd(std::string line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}
