// The 24-byte leader at the head of an ISO 2709 record, read in place.
#pragma once

#include <cstddef>
#include <string_view>

// A fixed-width run of ASCII digits at pos in bytes; -1 when any byte of the run
// is not a digit or the run does not lie wholly inside bytes.
int readMarcNumber(std::string_view bytes, size_t pos, size_t width);

// A view of the leader; valid as long as the record buffer. Any thread.
class MarcLeader {
public:
    // record: the whole record buffer; a buffer shorter than 24 bytes gives a
    // short leader whose missing numbers read -1.
    explicit MarcLeader(std::string_view record) : bytes_(record.substr(0, 24)) {}

    // The five digits at positions 0-4, or -1.
    int recordLength() const { return readMarcNumber(bytes_, 0, 5); }
    // The five digits at positions 12-16, or -1.
    int baseAddress() const { return readMarcNumber(bytes_, 12, 5); }
    // Always 24, whatever the buffer holds.
    static constexpr int leaderLength() { return 24; }
    // The leader's bytes: 24, or fewer when the record is shorter.
    std::string_view bytes() const { return bytes_; }

private:
    std::string_view bytes_;
};
