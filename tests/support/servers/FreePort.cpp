#include "FreePort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    return addr;
}

}  // namespace

int pickFreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    sockaddr_in addr = loopback(0);
    socklen_t len = sizeof addr;
    const bool ok = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
                    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0;
    const int err = errno;
    close(fd);
    if (!ok) throw std::runtime_error(std::string("bind 127.0.0.1:0: ") + std::strerror(err));
    return ntohs(addr.sin_port);
}

int connectToLoopback(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    const sockaddr_in addr = loopback(port);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) return fd;
    close(fd);
    return -1;
}

bool acceptsConnections(int port) {
    const int fd = connectToLoopback(port);
    if (fd >= 0) close(fd);
    return fd >= 0;
}

int listenOnLoopback(int& port, const char* what) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr = loopback(0);
    socklen_t len = sizeof addr;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(fd, 64) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        const std::string reason = std::strerror(errno);
        if (fd >= 0) close(fd);
        throw std::runtime_error(std::string(what) + ": " + reason);
    }
    port = ntohs(addr.sin_port);
    return fd;
}
