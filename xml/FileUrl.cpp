#include "xml/FileUrl.h"

#include <unistd.h>

#include <cctype>
#include <climits>

std::string fileUrl(const std::string& path) {
    std::string absolute = path;
    if (absolute.empty() || absolute[0] != '/') {
        char folder[PATH_MAX];
        if (::getcwd(folder, sizeof folder)) absolute = std::string(folder) + "/" + absolute;
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : absolute) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}
