#include "protocol/z3950/Z3950Socket.h"

#include <poll.h>
#include <yaz/tcpip.h>
#include <yaz/xmalloc.h>

#include <algorithm>
#include <cerrno>

namespace {
constexpr int kSliceMs = 50;
}

Z3950Socket::Z3950Socket(std::function<bool()> shouldStop, int timeoutSeconds)
    : shouldStop_(std::move(shouldStop)), timeoutSeconds_(std::max(1, timeoutSeconds)) {}

Z3950Socket::~Z3950Socket() {
    if (cs_) cs_close(cs_);
    xfree(buffer_);
}

SocketIo Z3950Socket::await(std::chrono::steady_clock::time_point exchangeEnd) {
    using clock = std::chrono::steady_clock;
    const auto byteEnd = clock::now() + std::chrono::seconds(timeoutSeconds_);
    const auto end = std::min(byteEnd, exchangeEnd);
    pollfd p{};
    p.fd = cs_fileno(cs_);
    if (cs_want_read(cs_)) p.events |= POLLIN;
    if (cs_want_write(cs_)) p.events |= POLLOUT;
    if (!p.events) p.events = POLLIN;
    for (;;) {
        if (shouldStop_()) return SocketIo::Stopped;
        if (clock::now() >= end) return SocketIo::NoAnswer;
        p.revents = 0;
        const int r = poll(&p, 1, kSliceMs);
        if (r < 0 && errno != EINTR) return SocketIo::Failed;
        if (r > 0) return SocketIo::Ok;
    }
}

SocketIo Z3950Socket::connectPending(std::chrono::steady_clock::time_point exchangeEnd) {
    // As the toolkit's own loop: the comstack says whether it is still
    // resolving or connecting, and rcvconnect takes the next step.
    for (;;) {
        const SocketIo waited = await(exchangeEnd);
        if (waited != SocketIo::Ok) return waited;
        const int state = cs_look(cs_);
        if (state == CS_NONE) return SocketIo::Failed;
        if (state != CS_CONNECT) return SocketIo::Ok;
        const int r = cs_rcvconnect(cs_);
        if (r == 0) return SocketIo::Ok;
        if (r < 0) return SocketIo::Failed;
    }
}

SocketIo Z3950Socket::open(const std::string& address, const std::string& proxy) {
    const auto exchangeEnd = std::chrono::steady_clock::now() +
                             std::chrono::seconds(timeoutSeconds_ * kExchangeTimeouts);
    void* peer = nullptr;
    // The name is looked up on the toolkit's own thread, so a slow DNS
    // answer stays stoppable.
    cs_ = cs_create_host2(address.c_str(), CS_FLAGS_DNS_NO_BLOCK, &peer,
                          proxy.empty() ? nullptr : proxy.c_str(), &proxyMode_);
    if (!cs_) return SocketIo::Failed;
    if (proxy.empty()) proxyMode_ = 0;
    cs_set_max_recv_bytes(cs_, kMaxMessageBytes);
    const int r = cs_connect(cs_, peer);
    if (r == 0) return SocketIo::Ok;
    if (r < 0) return SocketIo::Failed;
    return connectPending(exchangeEnd);
}

SocketIo Z3950Socket::exchange(const char* request, int length) {
    const auto exchangeEnd = std::chrono::steady_clock::now() +
                             std::chrono::seconds(timeoutSeconds_ * kExchangeTimeouts);
    answerLength_ = 0;
    for (int r = cs_put(cs_, const_cast<char*>(request), length); r != 0;
         r = cs_put(cs_, const_cast<char*>(request), length)) {
        if (r < 0) return SocketIo::Closed;
        const SocketIo waited = await(exchangeEnd);
        if (waited != SocketIo::Ok) return waited;
    }
    for (;;) {
        // A whole message may already be buffered from the last read.
        if (!cs_more(cs_)) {
            const SocketIo waited = await(exchangeEnd);
            if (waited != SocketIo::Ok) return waited;
        }
        const int r = cs_get(cs_, &buffer_, &bufferSize_);
        if (r > 1) {
            answerLength_ = r;
            return SocketIo::Ok;
        }
        if (r <= 0) return r == 0 ? SocketIo::Closed : SocketIo::Failed;
    }
}
