// Reads one ISO 2709 record from a byte buffer and reports it to a MarcHandler.
#pragma once

#include <cstddef>

#include "marc/MarcHandler.h"

// Stateless; any thread, any number of threads at once.
//
// The directory holds (base address - 26) / 12 + 1 entries, taken from the
// leader's base address alone; a base address of 25 or less, or one that is not
// five digits, means no fields. Nothing outside [data, data + length) is read:
// - a buffer shorter than 24 bytes still gets onLeader and onRecordEnd, no fields;
// - the first directory entry not wholly inside the buffer ends the directory;
// - an entry whose length or start is not all digits, or whose field would start
//   at or past the end of the buffer, is skipped and the next one read;
// - a field running past the end of the buffer is cut at the end of the buffer.
// The record length in the leader bounds nothing; the caller's length does.
class MarcReader {
public:
    // Reports onLeader, each field in directory order, then onRecordEnd. Always true.
    bool read(const char* data, size_t length, MarcHandler& handler) const;
};
