#include "ZServer.h"

#include <yaz/zoom.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "FreePort.h"

namespace {

const char* const kLogName = "server.log";

bool answersInit(int port) {
    ZOOM_options options = ZOOM_options_create();
    ZOOM_options_set(options, "timeout", "5");
    ZOOM_connection c = ZOOM_connection_create(options);
    ZOOM_connection_connect(c, "127.0.0.1", port);
    const bool ok = ZOOM_connection_errcode(c) == ZOOM_ERROR_NONE;
    ZOOM_connection_destroy(c);
    ZOOM_options_destroy(options);
    return ok;
}

}  // namespace

ZServer::~ZServer() = default;

std::string ZServer::zurl(const std::string& database) const {
    return "127.0.0.1:" + std::to_string(port_) + "/" + database;
}

std::string ZServer::log() const { return readFileBytes(dir_.file(kLogName)); }

void ZServer::start(const std::string& program, const std::vector<std::string>& args,
                    Logging logging) {
    using Clock = std::chrono::steady_clock;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int port = pickFreePort();
        std::vector<std::string> argv{program, "-T"};
        if (logging == Logging::Protocol) argv.insert(argv.end(), {"-a", "-"});
        argv.insert(argv.end(), args.begin(), args.end());
        argv.push_back("tcp:127.0.0.1:" + std::to_string(port));
        process_ = std::make_unique<ChildProcess>(argv, dir_.path(), dir_.file(kLogName));

        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (!process_->exited() && Clock::now() < deadline) {
            if (acceptsConnections(port) && answersInit(port) && !process_->exited()) {
                port_ = port;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const bool hung = !process_->exited();
        process_.reset();
        if (hung) break;
    }
    throw std::runtime_error(program + " did not come up on 127.0.0.1; its log:\n" + log());
}
