#include "directory/DirectoryImport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <libxml/parser.h>

#include "directory/ZeeRexReader.h"
#include "targets/TargetFilter.h"
#include "targets/TargetList.h"

namespace fs = std::filesystem;

namespace {

// Far above any record a directory publishes; a larger file is no record.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

bool readFile(const std::string& path, std::string& bytes, std::string& reason) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        reason = error.message();
        return false;
    }
    if (size > kMaxFileBytes) {
        reason = "larger than 16 MB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot be read";
        return false;
    }
    bytes.assign(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<size_t>(in.gcount()));
    if (in.bad()) {
        reason = "cannot be read";
        return false;
    }
    return true;
}

std::vector<std::string> filesOf(const std::string& path, std::string& reason) {
    std::error_code error;
    if (!fs::is_directory(path, error)) return {path};
    std::vector<std::string> files;
    fs::directory_iterator it(path, error), end;
    for (; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code typeError;
        if (it->is_regular_file(typeError)) files.push_back(it->path().string());
    }
    if (error) reason = error.message();
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::set<TargetKey> keysOfList(const TargetList& list) {
    std::set<TargetKey> keys;
    for (const Target& t : list.targets) keys.insert(keyOfAddress(t.zurl));
    return keys;
}

ImportPlan planImport(const std::vector<std::string>& paths, std::set<TargetKey> known,
                      const std::function<bool()>& cancelled) {
    ImportPlan plan;
    xmlInitParser();
    for (const std::string& given : paths) {
        std::string reason;
        const std::vector<std::string> files = filesOf(given, reason);
        if (!reason.empty()) {
            plan.refused.push_back({given, reason});
            ++plan.unreadable;
        }
        for (const std::string& path : files) {
            if (cancelled && cancelled()) {
                plan.cancelled = true;
                return plan;
            }
            std::string bytes;
            if (!readFile(path, bytes, reason)) {
                plan.refused.push_back({path, reason});
                ++plan.unreadable;
                continue;
            }
            for (ZeeRexEntry& entry : readZeeRex(bytes)) {
                if (!entry.refusal.empty()) {
                    plan.refused.push_back({path, entry.refusal});
                } else if (!known.insert(entry.key).second) {
                    plan.alreadyThere.push_back(entry.target.name);
                } else {
                    entry.target.tags.insert(kImportedTag);
                    entry.target.active = false;
                    plan.toAdd.push_back(std::move(entry.target));
                }
            }
        }
    }
    return plan;
}

int applyImport(TargetList& list, const ImportPlan& plan) {
    if (plan.toAdd.empty()) return 0;
    rememberTag(list, kImportedTag);
    for (const Target& target : plan.toAdd) addTarget(list, target);
    return static_cast<int>(plan.toAdd.size());
}
