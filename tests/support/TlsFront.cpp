#include "TlsFront.h"

#include <stdexcept>

#include "FreePort.h"
#include "Waiting.h"

TlsFront::TlsFront() {
    const std::string cert = dir_.file("cert.pem");
    const std::string key = dir_.file("key.pem");
    ChildProcess make({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                       "-subj", "/CN=other.example", "-keyout", key, "-out", cert},
                      dir_.path(), dir_.file("openssl.log"));
    if (make.wait(30000) != 0) throw std::runtime_error("openssl req failed");
    port_ = pickFreePort();
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openssl", "s_server", "-accept",
                                 "127.0.0.1:" + std::to_string(port_), "-cert", cert, "-key", key,
                                 "-www", "-quiet"},
        dir_.path(), dir_.file("s_server.log"));
    if (!waitFor([this] { return acceptsConnections(port_); }, 10000, 20))
        throw std::runtime_error("openssl s_server does not listen");
}

TlsFront::~TlsFront() { server_->stop(); }

std::string TlsFront::url(const std::string& path) const {
    return "https://127.0.0.1:" + std::to_string(port_) + "/" + path;
}
