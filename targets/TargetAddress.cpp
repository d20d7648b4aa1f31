#include "targets/TargetAddress.h"

#include <strings.h>

bool isSruAddress(const std::string& zurl) {
    return strncasecmp(zurl.c_str(), "http://", 7) == 0 ||
           strncasecmp(zurl.c_str(), "https://", 8) == 0;
}
