#include "engine/UnicodeNfc.h"

#include <utf8proc.h>

#include <cstdlib>

std::string toNfc(std::string_view utf8) {
    bool ascii = true;
    for (const char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return std::string(utf8);
    utf8proc_uint8_t* out = nullptr;
    const utf8proc_ssize_t length =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                     static_cast<utf8proc_ssize_t>(utf8.size()), &out,
                     static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (length < 0) return std::string(utf8);
    std::string result(reinterpret_cast<const char*>(out), static_cast<size_t>(length));
    std::free(out);
    return result;
}
