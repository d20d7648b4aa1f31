// The checks a directory record passes before it becomes a target, and the
// key that tells two targets apart. Pure functions, any thread.
#pragma once

#include <string>
#include <vector>

struct Target;

enum class DirectoryProtocol { None, Z3950, Sru };

// "Z39.50" or "tcp" (any case): Z39.50; "SRU", "SRW" or "http": SRU.
DirectoryProtocol protocolFromWord(const std::string& word);

// A DNS name (letters, digits, hyphens and underscores in dot-separated
// labels) or a dotted IPv4 address.
bool isHostName(const std::string& host);

// The port of digits 1-65535, else 0.
int portNumber(const std::string& text);

// Why the database cannot be used; empty when it can.
std::string databaseProblem(const std::string& database);

// The syntax to ask for among those a record lists.
std::string chooseRecordSyntax(const std::vector<std::string>& listed);

// Protocol, host in lower case, port and database: equal keys are one target.
struct TargetKey {
    DirectoryProtocol protocol = DirectoryProtocol::None;
    std::string host;
    int port = 0;
    std::string database;
    bool operator<(const TargetKey& o) const;
};

// The key of a list target's address, with the usual default port and
// database where it leaves them out.
TargetKey keyOfAddress(const std::string& zurl);

// The address of a target with that key.
std::string addressOfKey(const TargetKey& key);

// text fit for a one-line message: control characters as '?', cut to limit
// bytes at a character boundary.
std::string shownValue(const std::string& text, size_t limit = 60);
