#include "SilentServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

SilentServer::SilentServer() {
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listenFd_ < 0 || bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(listenFd_, 64) != 0 ||
        getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
        pipe2(wakeFds_, O_CLOEXEC) != 0) {
        const std::string reason = std::strerror(errno);
        if (listenFd_ >= 0) close(listenFd_);
        throw std::runtime_error("silent server: " + reason);
    }
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread(&SilentServer::acceptLoop, this);
}

SilentServer::~SilentServer() {
    const char wake = 'x';
    (void)!write(wakeFds_[1], &wake, 1);
    thread_.join();
    close(wakeFds_[0]);
    close(wakeFds_[1]);
    close(listenFd_);
}

std::string SilentServer::zurl(const std::string& database) const {
    return "127.0.0.1:" + std::to_string(port_) + "/" + database;
}

void SilentServer::acceptLoop() {
    // Accepted sockets stay open and unread until the end, so the peer waits.
    std::vector<int> clients;
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) break;
        if (fds[1].revents) break;
        if (fds[0].revents & POLLIN) {
            const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                clients.push_back(fd);
                ++accepted_;
            }
        }
    }
    for (int fd : clients) close(fd);
}
