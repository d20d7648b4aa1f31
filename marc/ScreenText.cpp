#include "marc/ScreenText.h"

#include "marc/Utf8.h"

namespace {

// U+0098 and U+009C in UTF-8: start and end of a non-sorting part of a title.
bool isNonSortingMarker(const std::string& bytes, size_t pos, size_t length) {
    return length == 2 && static_cast<unsigned char>(bytes[pos]) == 0xC2 &&
           (static_cast<unsigned char>(bytes[pos + 1]) == 0x98 ||
            static_cast<unsigned char>(bytes[pos + 1]) == 0x9C);
}

}  // namespace

std::string screenText(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    walkUtf8(
        bytes,
        [&](size_t pos, size_t length) {
            if (!isNonSortingMarker(bytes, pos, length)) out.append(bytes, pos, length);
        },
        [&](unsigned char byte) {
            // Read as Latin-1, 0x98 and 0x9C would be the Unicode markers again.
            if (byte != 0x88 && byte != 0x89 && byte != 0x98 && byte != 0x9C)
                appendLatin1(out, byte);
        });
    return out;
}
