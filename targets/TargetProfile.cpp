#include "targets/TargetProfile.h"

#include <cstdlib>
#include <sstream>

int positiveNumber(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return 0;
    const size_t last = text.find_last_not_of(" \t\r\n");
    const std::string digits = text.substr(first, last - first + 1);
    if (digits.empty() || digits.size() > 9) return 0;
    for (char c : digits)
        if (c < '0' || c > '9') return 0;
    return std::atoi(digits.c_str());
}

std::set<int> numberList(const std::string& text) {
    std::set<int> numbers;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        if (const int n = positiveNumber(word)) numbers.insert(n);
    }
    return numbers;
}
