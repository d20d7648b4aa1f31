#include "marc/MarcLeader.h"

int readMarcNumber(std::string_view bytes, size_t pos, size_t width) {
    if (pos > bytes.size() || bytes.size() - pos < width) return -1;
    int value = 0;
    for (size_t i = pos; i < pos + width; ++i) {
        const unsigned digit = static_cast<unsigned char>(bytes[i]) - '0';
        if (digit > 9) return -1;
        value = value * 10 + static_cast<int>(digit);
    }
    return value;
}
