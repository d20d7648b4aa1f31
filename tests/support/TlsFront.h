// An HTTPS server on 127.0.0.1 (openssl s_server) with a throwaway
// self-signed certificate made for another host name: a server whose
// certificate no client may accept. It answers each request with a status page.
#pragma once

#include <memory>
#include <string>

#include "ChildProcess.h"
#include "TestSupport.h"

class TlsFront {
public:
    // Throws std::runtime_error when the certificate cannot be made or the
    // server does not listen within 10 s.
    TlsFront();
    ~TlsFront();
    TlsFront(const TlsFront&) = delete;
    TlsFront& operator=(const TlsFront&) = delete;

    int port() const { return port_; }
    // "https://127.0.0.1:PORT/path".
    std::string url(const std::string& path) const;

private:
    TempDir dir_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> server_;
};
