// A small HTTP server on 127.0.0.1 whose answers a test writes: an SRU
// server's error page, a body that is no XML, a redirect, or a front that
// passes some requests on to a real server (forward) and refuses others.
// Each connection is served on a thread of its own, request after request.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackListener.h"

class HttpFront {
public:
    // Takes the request's head (request line and headers) and returns the
    // whole response, status line, headers and body.
    using Handler = std::function<std::string(const std::string& requestHead)>;

    // Throws std::runtime_error when it cannot listen.
    explicit HttpFront(Handler handler);
    // Closes the listener and every connection.
    ~HttpFront();
    HttpFront(const HttpFront&) = delete;
    HttpFront& operator=(const HttpFront&) = delete;

    int port() const { return listener_.port(); }
    // "http://127.0.0.1:PORT/path".
    std::string url(const std::string& path) const;
    // Any thread. The request lines received so far.
    std::vector<std::string> requestLines() const;

    // Passes requestHead to the HTTP server on 127.0.0.1:port and returns its
    // response; "" when it does not answer within 10 s.
    static std::string forward(const std::string& requestHead, int port);
    // A response with the given status ("200 OK"), content type and body.
    static std::string response(const std::string& status, const std::string& contentType,
                                const std::string& body,
                                const std::string& extraHeaders = std::string());

private:
    void serve(int fd);

    Handler handler_;
    mutable std::mutex mutex_;
    std::vector<std::string> requestLines_;
    std::vector<std::thread> connections_;
    LoopbackListener listener_;
};
