// Reading bytes that ought to be UTF-8 but may not be.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Pure. The length (1 to 4) of the well-formed UTF-8 sequence that starts at
// bytes[pos]: no overlong forms, no surrogates, nothing past U+10FFFF; 0 when
// there is none there.
size_t utf8SequenceLength(std::string_view bytes, size_t pos);

// Pure. True when every byte belongs to a well-formed UTF-8 sequence.
bool isUtf8(std::string_view bytes);
// Pure. The same, and at least one sequence is longer than a byte.
bool isMultiByteUtf8(std::string_view bytes);

// Walks bytes in order: each well-formed sequence goes to sequence(pos, length),
// each byte outside one to stray(byte).
template <typename Sequence, typename Stray>
void walkUtf8(std::string_view bytes, Sequence sequence, Stray stray) {
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = utf8SequenceLength(bytes, pos);
        if (length == 0) {
            stray(static_cast<unsigned char>(bytes[pos]));
            ++pos;
        } else {
            sequence(pos, length);
            pos += length;
        }
    }
}

// Appends the Latin-1 character with this code, in UTF-8.
void appendLatin1(std::string& out, unsigned char byte);
// Appends the Windows-1252 character of this byte, in UTF-8; a byte that
// Windows-1252 leaves undefined as the Latin-1 one.
void appendWindows1252(std::string& out, unsigned char byte);
// Appends the character with this code (at most U+10FFFF), in UTF-8.
void appendCodePoint(std::string& out, unsigned long code);
