// ISBN/ISSN numbers of a batch search: the check, the list, the queries.
#pragma once

#include <string>
#include <vector>

// The ISBN-10 of a 13-character ISBN starting with "978"; false otherwise.
bool isbn13ToIsbn10(const std::string& text, std::string& isbn10);

// The query that searches one accepted number.
std::string batchQueryFor(const std::string& number);

// Accepted numbers in the order they were added, without duplicates.
class BatchNumberList {
public:
    enum class AddResult { Added, Duplicate, Invalid };

    // Converts, checks and appends text. message is set for Duplicate and
    // Invalid to the text the user is shown.
    AddResult addBatchNumber(const std::string& text, std::string& message);
    bool remove(const std::string& number);

    const std::vector<std::string>& numbers() const { return numbers_; }
    // One query per number, in list order.
    std::vector<std::string> queries() const;

private:
    std::vector<std::string> numbers_;
};

// A line as read from a numbers file, without its line end (LF or CR LF).
std::string stripLineEnd(std::string line);
