// A TCP listener on 127.0.0.1 at a port the kernel picks, accepting on a thread
// of its own and handing each accepted socket to onAccepted, until destroyed.
#pragma once

#include <functional>
#include <thread>

class LoopbackListener {
public:
    // Throws std::runtime_error, naming what, when it cannot listen.
    LoopbackListener(const char* what, std::function<void(int fd)> onAccepted);
    // stop(), then closes the listener; sockets handed out are the receiver's.
    ~LoopbackListener();
    // Ends the accept thread and makes stopFd() readable. Idempotent.
    void stop();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int port() const { return port_; }
    // Readable once the listener is being destroyed: threads serving accepted
    // sockets poll it too, so they end in time.
    int stopFd() const { return wakeFds_[0]; }

private:
    void acceptLoop();

    std::function<void(int fd)> onAccepted_;
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    std::thread thread_;
};
