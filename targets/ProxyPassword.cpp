#include "targets/ProxyPassword.h"

std::string withoutProxyPassword(const std::string& text, const std::string& proxy) {
    const size_t scheme = proxy.find("://");
    const size_t userStart = scheme == std::string::npos ? 0 : scheme + 3;
    // A password may hold '@' itself: the host follows the last one.
    const size_t at = proxy.rfind('@');
    if (at == std::string::npos || at < userStart) return text;
    const size_t colon = proxy.find(':', userStart);
    if (colon == std::string::npos || colon > at) return text;
    const std::string secret = proxy.substr(colon, at + 1 - colon);
    if (secret.size() <= 2) return text;
    std::string out;
    size_t from = 0;
    for (size_t found; (found = text.find(secret, from)) != std::string::npos;
         from = found + secret.size())
        out += text.substr(from, found - from) + ":****@";
    return out + text.substr(from);
}
