#include "ForwardingProxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

ForwardingProxy::ForwardingProxy(int upstreamPort)
    : upstreamPort_(upstreamPort), listener_("forwarding proxy", [this](int fd) {
          std::lock_guard<std::mutex> lock(mutex_);
          threads_.emplace_back([this, fd] { relay(fd); });
      }) {}

ForwardingProxy::~ForwardingProxy() {
    listener_.stop();
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::thread& t : threads_) t.join();
}

std::string ForwardingProxy::address() const {
    return "127.0.0.1:" + std::to_string(listener_.port());
}

void ForwardingProxy::relay(int client) {
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(upstreamPort_));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (server >= 0 && connect(server, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
        ++relayed_;
        pollfd fds[3] = {{client, POLLIN, 0}, {server, POLLIN, 0}, {listener_.stopFd(), POLLIN, 0}};
        char buffer[16384];
        for (bool open = true; open;) {
            // Bounded: the listener's stop wakes it at the end.
            if (poll(fds, 3, 1000) < 0 || (fds[2].revents & POLLIN)) break;
            for (int i = 0; i < 2 && open; ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
                const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
                open = n > 0 && write(fds[1 - i].fd, buffer, static_cast<size_t>(n)) == n;
            }
        }
    }
    if (server >= 0) close(server);
    close(client);
}
