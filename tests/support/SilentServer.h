// A TCP listener on 127.0.0.1 that accepts connections and never answers: a
// catalogue that hangs after connecting, for tests of Stop and of timeouts.
// Refused connections need no fixture: see pickFreePort().
#pragma once

#include <atomic>
#include <string>
#include <thread>

class SilentServer {
public:
    // Listens on a port the kernel picks. Throws std::runtime_error when it cannot.
    SilentServer();
    // Closes the listener and every accepted connection.
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:PORT/DATABASE".
    std::string zurl(const std::string& database) const;
    // Any thread. How many connections it has accepted so far.
    int acceptedCount() const { return accepted_.load(); }

private:
    void acceptLoop();

    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};  // written to by the destructor to end acceptLoop
    int port_ = 0;
    std::atomic<int> accepted_{0};
    std::thread thread_;
};
