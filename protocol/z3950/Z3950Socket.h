// One Z39.50 connection's socket: whole messages out and in over the
// toolkit's comstack, waiting in short slices so a stop is seen at once, and
// bounding both the wait for the next byte and the whole exchange.
#pragma once

#include <yaz/comstack.h>

#include <chrono>
#include <functional>
#include <string>

enum class SocketIo { Ok, Stopped, NoAnswer, Closed, Failed };

class Z3950Socket {
public:
    // timeoutSeconds bounds the wait for the next byte; an exchange (a
    // request and its whole answer) may take kExchangeTimeouts times that.
    Z3950Socket(std::function<bool()> shouldStop, int timeoutSeconds);
    ~Z3950Socket();
    Z3950Socket(const Z3950Socket&) = delete;
    Z3950Socket& operator=(const Z3950Socket&) = delete;

    // address as the target names it ("host:port/database"); proxy empty
    // for a direct connection.
    SocketIo open(const std::string& address, const std::string& proxy);
    // Sends one encoded message and receives the whole answer to it; the
    // answer stays valid until the next call.
    SocketIo exchange(const char* request, int length);
    const char* answer() const { return buffer_; }
    int answerLength() const { return answerLength_; }
    // The connection is through a proxy that wants the target named in init.
    bool proxied() const { return proxyMode_ != 0; }

    static constexpr int kExchangeTimeouts = 5;
    // The toolkit's largest message: a larger one fails as it would there.
    static constexpr int kMaxMessageBytes = 128 * 1024 * 1024;

private:
    // Waits until the comstack can go on, the time is up or a stop comes.
    SocketIo await(std::chrono::steady_clock::time_point exchangeEnd);
    SocketIo connectPending(std::chrono::steady_clock::time_point exchangeEnd);

    std::function<bool()> shouldStop_;
    int timeoutSeconds_;
    COMSTACK cs_ = nullptr;
    int proxyMode_ = 0;
    char* buffer_ = nullptr;
    int bufferSize_ = 0;
    int answerLength_ = 0;
};
