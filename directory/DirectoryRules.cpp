#include "directory/DirectoryRules.h"

#include <strings.h>

#include <cctype>
#include <cstring>
#include <tuple>

namespace {

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool allDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::vector<std::string> labelsOf(const std::string& host) {
    std::vector<std::string> labels(1);
    for (char c : host) {
        if (c == '.')
            labels.emplace_back();
        else
            labels.back() += c;
    }
    return labels;
}

bool isIpv4(const std::vector<std::string>& labels) {
    if (labels.size() != 4) return false;
    for (const std::string& label : labels)
        if (!allDigits(label) || label.size() > 3 || std::stoi(label) > 255) return false;
    return true;
}

std::string percentDecoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

DirectoryProtocol protocolFromWord(const std::string& word) {
    const std::string w = lowered(word);
    if (w == "z39.50" || w == "tcp") return DirectoryProtocol::Z3950;
    if (w == "sru" || w == "srw" || w == "http") return DirectoryProtocol::Sru;
    return DirectoryProtocol::None;
}

bool isHostName(const std::string& host) {
    if (host.empty() || host.size() > 253) return false;
    const std::vector<std::string> labels = labelsOf(host);
    bool numeric = true;
    for (const std::string& label : labels) {
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        // Underscores are no host name's, but DNS has them and libraries use them.
        for (char c : label)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
        numeric = numeric && allDigits(label);
    }
    // All digits is an address or nothing: 999.1 names no host.
    if (numeric) return isIpv4(labels);
    // The top-level label of a name is never all digits.
    return !allDigits(labels.back());
}

int portNumber(const std::string& text) {
    if (!allDigits(text) || text.size() > 5) return 0;
    const int port = std::stoi(text);
    return port <= 65535 ? port : 0;
}

std::string databaseProblem(const std::string& database) {
    if (database.empty()) return "no database";
    for (char c : database) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) return "a control character in the database";
    }
    return std::string();
}

std::string chooseRecordSyntax(const std::vector<std::string>& listed) {
    auto has = [&](const char* name) {
        for (const std::string& s : listed)
            if (strcasecmp(s.c_str(), name) == 0) return true;
        return false;
    };
    if (has("USMARC") || has("MARC21")) return "usmarc";
    for (const char* name : {"UNIMARC", "XML", "SUTRS"})
        if (has(name)) return lowered(name);
    return "usmarc";
}

bool TargetKey::operator<(const TargetKey& o) const {
    return std::tie(protocol, host, port, database) <
           std::tie(o.protocol, o.host, o.port, o.database);
}

TargetKey keyOfAddress(const std::string& zurl) {
    TargetKey key;
    std::string rest = zurl;
    const std::string lower = lowered(zurl);
    int port = 210;
    std::string database = "Default";
    if (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0) {
        key.protocol = DirectoryProtocol::Sru;
        port = lower[4] == 's' ? 443 : 80;
        database.clear();
        rest = zurl.substr(zurl.find("://") + 3);
    } else {
        key.protocol = DirectoryProtocol::Z3950;
        if (lower.rfind("tcp:", 0) == 0 || lower.rfind("z39.50s:", 0) == 0) rest = zurl.substr(zurl.find(':') + 1);
    }
    const size_t slash = rest.find('/');
    std::string hostPort = rest.substr(0, slash);
    if (slash != std::string::npos) database = rest.substr(slash + 1);
    if (key.protocol == DirectoryProtocol::Sru) {
        database = percentDecoded(database.substr(0, database.find('?')));
    }
    const size_t colon = hostPort.rfind(':');
    if (colon != std::string::npos) {
        port = portNumber(hostPort.substr(colon + 1));
        hostPort.erase(colon);
    }
    key.host = lowered(hostPort);
    key.port = port;
    key.database = database;
    return key;
}

std::string addressOfKey(const TargetKey& key) {
    const std::string hostPort = key.host + ":" + std::to_string(key.port);
    if (key.protocol != DirectoryProtocol::Sru) return hostPort + "/" + key.database;
    // Whatever could end the path or be read as an escape goes escaped; the
    // server decodes it back to the database's name.
    static const char kHex[] = "0123456789ABCDEF";
    std::string path;
    for (char c : key.database) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || (c && std::strchr("-._~/!$&'()*+,;=:@", c))) {
            path += c;
        } else {
            path += '%';
            path += kHex[u >> 4];
            path += kHex[u & 15];
        }
    }
    return "http://" + hostPort + "/" + path;
}

std::string shownValue(const std::string& text, size_t limit) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char u = static_cast<unsigned char>(text[i]);
        if (out.size() >= limit && (u & 0xC0) != 0x80) return out + "...";
        out += u < 0x20 || u == 0x7f ? '?' : text[i];
    }
    return out;
}
