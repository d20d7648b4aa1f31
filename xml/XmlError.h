// A failure of the XML library: what was being done and the library's own
// words about why, kept apart so the caller can show both.
#pragma once

#include <stdexcept>
#include <string>

class XmlError : public std::runtime_error {
public:
    XmlError(const std::string& message, const std::string& description)
        : std::runtime_error(message + ": " + description),
          message_(message),
          description_(description) {}

    const std::string& message() const { return message_; }
    const std::string& description() const { return description_; }

private:
    std::string message_;
    std::string description_;
};
