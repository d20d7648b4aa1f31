// ISBN/ISSN numbers of a batch search: the check, the list, the queries.
#pragma once

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "search/BatchOutcomes.h"

// The query that searches one accepted number: an ISBN under both its forms
// where it has two, an ISSN with and without its hyphen.
std::string batchQueryFor(const std::string& number);

// Accepted numbers in the order they were added, cleaned, in the form they
// were given, without duplicates (an ISBN-10 and its ISBN-13 are one).
class BatchNumberList {
public:
    enum class AddResult { Added, Duplicate, Invalid, WrongCheckDigit };

    // Cleans, checks and appends text. message is set for every result but
    // Added to the text the user is shown.
    AddResult addBatchNumber(const std::string& text, std::string& message);
    bool remove(const std::string& number);
    // A line of a numbers file that was refused, kept in its place for the report.
    void noteRefused(const std::string& text, const std::string& reason);

    // For bad data at hand: a number whose check character is wrong is then
    // listed (and searched as given) rather than refused.
    void setAcceptWrongCheckDigits(bool accept) { acceptWrongCheck_ = accept; }

    const std::vector<std::string>& numbers() const { return numbers_; }
    // Each number as the user gave it (label, hyphens and all), for reports
    // that must match the user's own list; in the order of numbers().
    const std::vector<std::string>& givenNumbers() const { return given_; }
    // In file order.
    const std::vector<BatchRefusal>& refusals() const { return refusals_; }
    // One query per number, in list order.
    std::vector<std::string> queries() const;

private:
    std::vector<std::string> numbers_;
    std::vector<std::string> given_;
    std::vector<BatchRefusal> refusals_;
    // What "already in List" compares: ISBNs in their ISBN-13 form. Hashed:
    // files of tens of thousands of numbers are loaded.
    std::unordered_set<std::string> keys_;
    bool acceptWrongCheck_ = false;
};

class SearchQuery;

// Calls number(i) for the list's numbers and refused(r) for its refused lines,
// in the order of the file they came from.
void visitInFileOrder(size_t numbers, const std::vector<BatchRefusal>& refusals,
                      const std::function<void(size_t)>& number,
                      const std::function<void(const BatchRefusal&)>& refused);

// Makes query the batch search of the list's numbers, named as given.
void useBatchNumbers(const BatchNumberList& numbers, SearchQuery& query);

// A line as read from a numbers file, without its line end (LF or CR LF).
std::string stripLineEnd(std::string line);
