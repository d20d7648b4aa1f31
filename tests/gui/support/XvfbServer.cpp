#include "XvfbServer.h"

#include <QStandardPaths>
#include <chrono>
#include <sstream>
#include <thread>

namespace {

// The display number Xvfb wrote on its own line of the log; empty until then.
std::string announcedDisplay(const std::string& log) {
    std::stringstream lines(log);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos)
            return ":" + line;
    return std::string();
}

}  // namespace

std::unique_ptr<XvfbServer> XvfbServer::start(std::string& whyNot) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        whyNot = "Xvfb is not installed (Debian package xvfb)";
        return nullptr;
    }
    std::unique_ptr<XvfbServer> server(new XvfbServer);
    const std::string log = server->dir_.file("xvfb.log");
    // -displayfd: Xvfb takes the first free display and writes its number to
    // standard output, which goes to the log, once it accepts connections.
    server->process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                                 "1280x1024x24"},
        server->dir_.path(), log);
    for (int i = 0; i < 200 && server->display_.empty(); ++i) {
        if (server->process_->exited()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        server->display_ = announcedDisplay(readFileBytes(log));
    }
    if (server->display_.empty()) {
        whyNot = "Xvfb did not start: " + readFileBytes(log);
        return nullptr;
    }
    return server;
}
