#include "TrickleServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// False once the peer is gone or wakeFd fired.
bool sendAll(int fd, int wakeFd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        pollfd fds[2] = {{fd, POLLOUT, 0}, {wakeFd, POLLIN, 0}};
        const int r = poll(fds, 2, 100);
        if (r < 0 && errno != EINTR) return false;
        if (fds[1].revents) return false;
        if (r <= 0 || !(fds[0].revents & POLLOUT)) {
            if (fds[0].revents & (POLLERR | POLLHUP)) return false;
            continue;
        }
        const ssize_t n = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

TrickleServer::TrickleServer(std::string opening, std::string piece,
                             std::chrono::milliseconds pause)
    : opening_(std::move(opening)),
      piece_(std::move(piece)),
      pause_(pause),
      listener_("trickle server", [this](int fd) {
          std::lock_guard<std::mutex> lock(mutex_);
          connections_.emplace_back(&TrickleServer::serve, this, fd);
      }) {}

TrickleServer::~TrickleServer() {
    listener_.stop();
    for (std::thread& t : connections_) t.join();
}

std::string TrickleServer::address() const { return "127.0.0.1:" + std::to_string(port()); }

void TrickleServer::serve(int fd) {
    const int wake = listener_.stopFd();
    if (sendAll(fd, wake, opening_)) {
        for (;;) {
            if (pause_.count() > 0) {
                pollfd p{wake, POLLIN, 0};
                if (poll(&p, 1, static_cast<int>(pause_.count())) != 0) break;
            }
            if (!sendAll(fd, wake, piece_)) break;
        }
    }
    close(fd);
}
