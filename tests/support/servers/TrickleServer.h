// A server on 127.0.0.1 that sends an opening and then, without reading,
// the same piece again and again: slowly (a byte every so often, never a
// whole answer) or as fast as the peer takes it (an answer without end).
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackListener.h"

class TrickleServer {
public:
    // pause: between two pieces; zero floods. Throws std::runtime_error
    // when it cannot listen.
    TrickleServer(std::string opening, std::string piece, std::chrono::milliseconds pause);
    // Closes the listener and every connection.
    ~TrickleServer();
    TrickleServer(const TrickleServer&) = delete;
    TrickleServer& operator=(const TrickleServer&) = delete;

    int port() const { return listener_.port(); }
    // "127.0.0.1:PORT".
    std::string address() const;

private:
    void serve(int fd);

    const std::string opening_;
    const std::string piece_;
    const std::chrono::milliseconds pause_;
    std::mutex mutex_;
    std::vector<std::thread> connections_;
    LoopbackListener listener_;
};
