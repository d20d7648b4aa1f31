// The one failure of the database access layer: a code and the database's
// own description of what went wrong.
#pragma once

#include <stdexcept>
#include <string>

class CADOException : public std::runtime_error {
public:
    // Codes of failures found before the database driver was asked.
    static constexpr long kBadConnectionString = -1;
    static constexpr long kNoDriver = -2;
    static constexpr long kNoDatabaseFile = -3;
    static constexpr long kNotOpen = -4;
    static constexpr long kNoSuchField = -5;
    static constexpr long kNulInText = -6;

    // code: one of the above, or the Qt SQL error type of a driver's failure.
    CADOException(long code, const std::string& description)
        : std::runtime_error(description), code_(code), description_(description) {}

    long code() const { return code_; }
    const std::string& description() const { return description_; }

private:
    long code_;
    std::string description_;
};
