#include "WritableZebra.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "ChildProcess.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

void index(const std::string& dir, std::vector<std::string> argv) {
    const std::string log = dir + "/zebraidx.log";
    ChildProcess indexer(argv, dir, log);
    const int status = indexer.wait(600 * 1000);
    if (status != 0)
        throw std::runtime_error("zebraidx failed (" + std::to_string(status) + "); its log:\n" +
                                 readFileBytes(log));
}

}  // namespace

void makeZebraWritable(const std::string& dir, const std::string& adminPassword) {
    std::ofstream config(dir + "/zebra.cfg", std::ios::app);
    // "perm.anonymous: r" alone would refuse anonymous connections outright.
    config << "storeData: 1\nstoreKeys: 1\nshadow: shadow:1G\n"
              "recordId: (bib1,Local-number)\n"
              "perm.anonymous: ra\nperm.admin: rw\npasswd: passwd\n";
    std::ofstream(dir + "/passwd") << "admin:" << adminPassword << "\n";
    // The 035 numbers as Identifier-standard, for the OCLC duplicate check.
    const std::string stylesheet = dir + "/marc-index.xsl";
    std::string text = readFileBytes(stylesheet);
    const std::string anchor = "<xsl:for-each select=\"m:datafield[@tag='650']\">";
    const size_t at = text.find(anchor);
    if (at == std::string::npos) throw std::runtime_error(stylesheet + " no longer holds " + anchor);
    text.insert(at,
                "<xsl:for-each select=\"m:datafield[@tag='035']/m:subfield[@code='a']\">"
                "<z:index name=\"Identifier-standard:w\"><xsl:value-of "
                "select=\"normalize-space(.)\"/></z:index></xsl:for-each>");
    writeFileBytes(stylesheet, text);
    fs::create_directories(fs::path(dir) / "shadow");
    fs::create_directories(fs::path(dir) / "register");
}

std::unique_ptr<ZebraServer> writableZebra(const std::vector<std::string>& iso2709Files,
                                           const std::string& adminPassword) {
    for (const auto& file : iso2709Files)
        if (!fs::is_regular_file(file)) throw std::runtime_error("no MARC file " + file);
    // The records are indexed and committed here: the server's own indexing
    // run would leave them in the shadow register.
    return std::make_unique<ZebraServer>(
        std::vector<std::string>{}, "Default", ZServer::Logging::Requests,
        [&](const std::string& dir) {
            makeZebraWritable(dir, adminPassword);
            if (iso2709Files.empty()) return;
            std::vector<std::string> argv{"zebraidx", "-c", "zebra.cfg", "-d", "Default", "update"};
            argv.insert(argv.end(), iso2709Files.begin(), iso2709Files.end());
            index(dir, argv);
            index(dir, {"zebraidx", "-c", "zebra.cfg", "commit"});
        });
}
