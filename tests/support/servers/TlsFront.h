// An HTTPS server on 127.0.0.1 (openssl s_server) with throwaway keys: by
// default a self-signed certificate made for another host name, which no
// client may accept; or one that fails a single check, or none, against a
// test CA of its own (caFile). It answers each request with a status page.
#pragma once

#include <memory>
#include <string>

#include "ChildProcess.h"
#include "TestSupport.h"

class TlsFront {
public:
    enum class Certificate {
        SelfSignedOtherName,
        // For 127.0.0.1, signed by nobody but itself.
        SelfSigned,
        // Signed by the test CA for another name.
        FromTestCaOtherName,
        // Signed by the test CA for 127.0.0.1: sound.
        FromTestCa,
    };

    // Throws std::runtime_error when the certificate cannot be made or the
    // server does not listen within 10 s.
    explicit TlsFront(Certificate certificate = Certificate::SelfSignedOtherName);
    ~TlsFront();
    TlsFront(const TlsFront&) = delete;
    TlsFront& operator=(const TlsFront&) = delete;

    int port() const { return port_; }
    // "https://127.0.0.1:PORT/path".
    std::string url(const std::string& path) const;
    // The test CA's certificate (PEM); made for every kind, signing only some.
    std::string caFile() const { return dir_.file("ca.pem"); }

private:
    void run(const std::vector<std::string>& argv, const std::string& what);

    TempDir dir_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> server_;
};
