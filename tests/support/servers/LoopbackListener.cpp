#include "LoopbackListener.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "FreePort.h"

LoopbackListener::LoopbackListener(const char* what, std::function<void(int fd)> onAccepted)
    : onAccepted_(std::move(onAccepted)) {
    listenFd_ = listenOnLoopback(port_, what);
    if (pipe2(wakeFds_, O_CLOEXEC) != 0) {
        close(listenFd_);
        throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
    }
    thread_ = std::thread(&LoopbackListener::acceptLoop, this);
}

LoopbackListener::~LoopbackListener() {
    stop();
    close(listenFd_);
    close(wakeFds_[0]);
    close(wakeFds_[1]);
}

void LoopbackListener::stop() {
    if (!thread_.joinable()) return;
    const char wake = 'x';
    (void)!write(wakeFds_[1], &wake, 1);
    thread_.join();
}

void LoopbackListener::acceptLoop() {
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) break;
        if (fds[1].revents) break;
        if (fds[0].revents & POLLIN) {
            const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) onAccepted_(fd);
        }
    }
}
