#include "TlsFront.h"

#include <fstream>
#include <stdexcept>

#include "FreePort.h"
#include "Waiting.h"

void TlsFront::run(const std::vector<std::string>& argv, const std::string& what) {
    ChildProcess step(argv, dir_.path(), dir_.file(what + ".log"));
    if (step.wait(30000) != 0) throw std::runtime_error("openssl " + what + " failed");
}

TlsFront::TlsFront(Certificate certificate) {
    const std::string cert = dir_.file("cert.pem");
    const std::string key = dir_.file("key.pem");
    const std::string caKey = dir_.file("ca.key");
    run({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1", "-subj",
         "/CN=qrn test CA", "-keyout", caKey, "-out", caFile()},
        "ca");
    const bool rightName =
        certificate == Certificate::SelfSigned || certificate == Certificate::FromTestCa;
    const std::string name = rightName ? "IP:127.0.0.1" : "DNS:other.example";
    const std::string subject = rightName ? "/CN=127.0.0.1" : "/CN=other.example";
    if (certificate == Certificate::SelfSigned ||
        certificate == Certificate::SelfSignedOtherName) {
        run({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1", "-subj",
             subject, "-addext", "subjectAltName=" + name, "-keyout", key, "-out", cert},
            "req");
    } else {
        const std::string request = dir_.file("cert.csr");
        const std::string extensions = dir_.file("ext.cnf");
        std::ofstream(extensions) << "subjectAltName=" << name << "\n";
        run({"openssl", "req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-subj", subject, "-keyout", key,
             "-out", request},
            "req");
        run({"openssl", "x509", "-req", "-in", request, "-CA", caFile(), "-CAkey", caKey,
             "-CAcreateserial", "-days", "1", "-extfile", extensions, "-out", cert},
            "sign");
    }
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
