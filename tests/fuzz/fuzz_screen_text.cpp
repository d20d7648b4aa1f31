// Arbitrary bytes through screenText: the result must be UTF-8 and come back
// unchanged from a second pass.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "marc/ScreenText.h"
#include "marc/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string once = screenText(bytes);
    if (!isUtf8(once) || screenText(once) != once) std::abort();
    if (isUtf8(bytes) && bytes.find("\xC2\x98") == std::string::npos &&
        bytes.find("\xC2\x9C") == std::string::npos && once != bytes)
        std::abort();
    return 0;
}
