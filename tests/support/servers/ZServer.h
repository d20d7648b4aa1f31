// A real Z39.50 server for the tests, run as a child process on 127.0.0.1 with a
// port the kernel picked. Both kinds (YazZtestServer, ZebraServer) are YAZ
// frontend servers run threaded (-T), so one process serves every connection and
// stopping it leaves nothing behind. What each one serves is in its header.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TestSupport.h"

class ZServer {
public:
    // What the server writes to its log: a line per request, or also every
    // protocol unit decoded (slower; large result sets make it a noticeable cost).
    enum class Logging { Requests, Protocol };

    // Stops the server (SIGTERM, then SIGKILL after 3 s) and reaps it.
    virtual ~ZServer();
    ZServer(const ZServer&) = delete;
    ZServer& operator=(const ZServer&) = delete;

    int port() const { return port_; }
    pid_t pid() const { return process_ ? process_->pid() : -1; }
    // "127.0.0.1:PORT/DATABASE", as ZOOM_connection_connect takes it.
    std::string zurl(const std::string& database) const;
    // Everything the server logged so far: a line per request ("Search Default OK 42
    // ...", "Auth idPass alice -") and, with Logging::Protocol, every protocol unit it
    // read or wrote, decoded (userId, elementSetName ...), so tests see what it got.
    std::string log() const;
    // The server's working folder, removed with the server.
    const std::string& dir() const { return dir_.path(); }

protected:
    ZServer() = default;
    // Runs program with args and its listener in dir(), and returns once it answers a
    // Z39.50 init (at most 10 s). Tries another port when the program ends early, as
    // it does when somebody took the port in between. Throws std::runtime_error,
    // with the log, when it does not come up.
    void start(const std::string& program, const std::vector<std::string>& args, Logging logging);

private:
    TempDir dir_;
    std::unique_ptr<ChildProcess> process_;
    int port_ = 0;
};
