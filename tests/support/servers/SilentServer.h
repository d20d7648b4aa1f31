// A TCP listener on 127.0.0.1 that accepts connections and never answers: a
// catalogue that hangs after connecting, for tests of Stop and of timeouts.
// Refused connections need no fixture: see pickFreePort().
#pragma once

#include <atomic>
#include <string>
#include <mutex>
#include <vector>

#include "LoopbackListener.h"

class SilentServer {
public:
    // Listens on a port the kernel picks. Throws std::runtime_error when it cannot.
    SilentServer();
    // Closes the listener and every accepted connection.
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int port() const { return listener_.port(); }
    // "127.0.0.1:PORT/DATABASE".
    std::string zurl(const std::string& database) const;
    // Any thread. How many connections it has accepted so far.
    int acceptedCount() const { return accepted_.load(); }

private:
    // Accepted sockets stay open and unread until the end, so the peer waits.
    std::mutex mutex_;
    std::vector<int> clients_;
    std::atomic<int> accepted_{0};
    LoopbackListener listener_;
};
