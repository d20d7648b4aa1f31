#include "ZebraServer.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "ChildProcess.h"

namespace fs = std::filesystem;

namespace {

fs::path findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// Zebra keeps its tables in PREFIX/share/idzebra-2.0/tab beside PREFIX/bin.
fs::path zebraTables() {
    const fs::path program = findOnPath("zebraidx");
    if (program.empty()) throw std::runtime_error("zebraidx is not on PATH");
    std::error_code ec;
    const fs::path real = fs::canonical(program, ec);
    const fs::path tab =
        (ec ? program : real).parent_path().parent_path() / "share" / "idzebra-2.0" / "tab";
    if (!fs::exists(tab / "bib1.att", ec))
        throw std::runtime_error("Zebra's tables are not in " + tab.string());
    return tab;
}

}  // namespace

void installZebraConfig(const std::string& dir) {
    for (const auto& entry : fs::directory_iterator(sourcePath("data/demo"))) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".cfg" || ext == ".xml" || ext == ".xsl" || ext == ".properties")
            fs::copy_file(entry.path(), fs::path(dir) / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
    }
    fs::create_directory_symlink(zebraTables(), fs::path(dir) / "zebra-tab");
    for (const char* sub : {"lock", "tmp"}) fs::create_directories(fs::path(dir) / sub);
}

ZebraServer::ZebraServer(const std::vector<std::string>& iso2709Files, const std::string& database,
                         Logging logging,
                         const std::function<void(const std::string& dir)>& adjustConfig) {
    // zebraidx skips a missing file with a warning and still succeeds.
    for (const auto& file : iso2709Files)
        if (!fs::is_regular_file(file)) throw std::runtime_error("no MARC file " + file);
    installZebraConfig(dir());
    if (adjustConfig) adjustConfig(dir());
    fs::create_directory(fs::path(dir()) / "register");
    std::vector<std::string> argv{"zebraidx", "-c", "zebra.cfg", "-d", database, "update"};
    argv.insert(argv.end(), iso2709Files.begin(), iso2709Files.end());
    const std::string indexLog = dir() + "/zebraidx.log";
    ChildProcess indexer(argv, dir(), indexLog);
    const int status = indexer.wait(600 * 1000);
    if (status != 0)
        throw std::runtime_error("zebraidx failed (" + std::to_string(status) + "); its log:\n" +
                                 readFileBytes(indexLog));
    start("zebrasrv", {"-f", "yazgfs.xml"}, logging);
}

ZebraServer::ZebraServer(SharedRegister, const ZebraServer& indexed, Logging logging) {
    // Read-only servers may share a register; each keeps its own locks and log.
    installZebraConfig(dir());
    fs::create_directory_symlink(fs::path(indexed.dir()) / "register",
                                 fs::path(dir()) / "register");
    start("zebrasrv", {"-f", "yazgfs.xml"}, logging);
}

std::unique_ptr<ZebraServer> ZebraServer::onSameRegister(const ZebraServer& indexed,
                                                         Logging logging) {
    return std::unique_ptr<ZebraServer>(new ZebraServer(SharedRegister{}, indexed, logging));
}

std::vector<std::unique_ptr<ZebraServer>> ZebraServer::severalOnOneRegister(
    const std::string& iso2709File, size_t count) {
    std::vector<std::unique_ptr<ZebraServer>> servers;
    servers.push_back(std::make_unique<ZebraServer>(std::vector<std::string>{iso2709File},
                                                    "Default", Logging::Requests));
    while (servers.size() < count)
        servers.push_back(onSameRegister(*servers.front(), Logging::Requests));
    return servers;
}

std::string ZebraServer::sruUrl(const std::string& database) const {
    return "http://127.0.0.1:" + std::to_string(port()) + "/" + database;
}

std::unique_ptr<ZebraServer> ZebraServer::withDemoCorpus() {
    return std::make_unique<ZebraServer>(
        std::vector<std::string>{sourcePath("data/demo/demo.mrc")});
}
