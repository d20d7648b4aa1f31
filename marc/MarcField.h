// One field of an ISO 2709 record: its directory tag and its bytes, read in place.
#pragma once

#include <string>
#include <string_view>

constexpr char kMarcSubfieldDelimiter = '\x1F';
constexpr char kMarcFieldTerminator = '\x1E';

// Pure. A tag of three digits as a number (245), -1 for any other tag: one
// switch instead of a string compare per tag a handler looks for.
inline int marcTagNumber(std::string_view tag) {
    if (tag.size() != 3) return -1;
    int value = 0;
    for (const char c : tag) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A view into the record buffer, valid only while the handler call that received
// it runs. All operations are pure and may run on any thread.
class MarcField {
public:
    MarcField(std::string_view tag, std::string_view bytes) : tag_(tag), bytes_(bytes) {}

    // The three bytes of the directory entry; need not be digits.
    std::string_view tag() const { return tag_; }
    // From the field's start to its directory length (terminator included),
    // clipped to the record buffer.
    std::string_view bytes() const { return bytes_; }

    // The bytes from start on, last byte dropped, leading delimiter/code pairs
    // removed, every other delimiter and its code turned into one blank; ends
    // at the first zero byte.
    std::string text(size_t start) const;
    // The first subfield with each code, in the order of codes; a blank in codes
    // adds a blank.
    std::string subfields(std::string_view codes) const;
    // Content of the first subfield with this code, up to the next delimiter or
    // terminator; empty when absent or when no such end lies inside the field.
    std::string_view subfield(char code) const;

private:
    std::string_view tag_;
    std::string_view bytes_;
};
