// The user's list of Z39.50 targets with the filter state of the Databases
// page, read from and written to the target list file. UI thread only.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>

#include "targets/Target.h"

struct XML_ParserStruct;

class TargetList {
public:
    std::list<Target> targets;
    int32_t activeCount = 0;
    int32_t nextId = 0;
    std::set<std::string> locations;
    std::string selectedLocation;
    std::map<std::string, bool> tagTable;
    std::set<std::string> elementSetNames{"F", "f", "B", "b", "marcxml", "mods", "dc"};

    TargetList();
    ~TargetList();

    // Replaces targets with those of the file and merges its filter state into
    // the known values; true when the whole file parsed. Targets completed
    // before a parse error stay. Tells the user when the file cannot be opened,
    // and when it stopped partway, after which saveFile never writes over it.
    // The location filter is "All" unless the file chose another.
    bool loadFile(const std::string& path);

    // Rewrites an existing file with the whole list; creates no file. A file
    // that loaded only in part is left alone: the list goes to
    // partialCopyPath(path) instead, created when needed. Always true.
    bool saveFile(const std::string& path);

    // Where the list goes in place of a file that loaded only in part.
    static std::string partialCopyPath(const std::string& path);

    // Stable ascending sort of targets by name, byte-wise.
    void sortByName();

private:
    struct ParserDeleter {
        void operator()(XML_ParserStruct* parser) const;
    };
    struct Handlers;

    void startElement(const std::string& name);
    void endElement(const std::string& name);

    // Working state of loadFile; the parser lives until the next load.
    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser_;
    std::string text_;
    // The "use" of the fallback element being read.
    std::string fallbackUse_;
    Target current_;
    // The uses current_ has a fallback for: a target may carry very many.
    std::unordered_set<int> fallbackUses_;
    bool insideLimits_ = false;
    int depth_ = 0;
    bool rootEnded_ = false;
    // Files of this session that loaded only in part: writing the list over
    // one would drop the targets after the bad spot.
    std::set<std::string> readInPart_;
};
