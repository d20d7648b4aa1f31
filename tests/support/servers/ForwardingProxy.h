// A TCP relay on 127.0.0.1 in front of one server port: what a Z39.50 client
// told to use a proxy reaches the server through it, unchanged.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackListener.h"

class ForwardingProxy {
public:
    explicit ForwardingProxy(int upstreamPort);
    ~ForwardingProxy();
    ForwardingProxy(const ForwardingProxy&) = delete;
    ForwardingProxy& operator=(const ForwardingProxy&) = delete;

    // "127.0.0.1:PORT"
    std::string address() const;
    // Any thread. Connections relayed so far.
    int relayedCount() const { return relayed_.load(); }

private:
    void relay(int client);

    int upstreamPort_;
    std::atomic<int> relayed_{0};
    std::mutex mutex_;
    std::vector<std::thread> threads_;
    LoopbackListener listener_;
};
