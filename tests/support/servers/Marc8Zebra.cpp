#include "Marc8Zebra.h"

#include <stdexcept>

#include "TestSupport.h"

namespace {

void replaceIn(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = readFileBytes(path);
    const size_t at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error(path + " no longer holds " + from);
    text.replace(at, from.size(), to);
    writeFileBytes(path, text);
}

}  // namespace

std::unique_ptr<ZebraServer> marc8Zebra(const std::vector<std::string>& iso2709Files,
                                        char leader9) {
    const std::string leaderSpec = "leaderspec=\"9=" + std::to_string(int(leader9)) + "\"";
    return std::make_unique<ZebraServer>(
        iso2709Files, "Default", ZServer::Logging::Requests, [leaderSpec](const std::string& dir) {
            replaceIn(dir + "/marc-dom.xml", "<marc inputcharset=\"utf-8\"/>",
                      "<marc inputcharset=\"marc8\"/>");
            replaceIn(dir + "/yazgfs.xml",
                      "<marc inputformat=\"xml\" outputformat=\"marc\" outputcharset=\"utf-8\"/>",
                      "<marc inputformat=\"xml\" outputformat=\"marc\" inputcharset=\"utf-8\" "
                      "outputcharset=\"marc8\" " +
                          leaderSpec + "/>");
        });
}
