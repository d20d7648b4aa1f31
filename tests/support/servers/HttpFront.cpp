#include "HttpFront.h"

#include "FreePort.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <strings.h>

namespace {

// Reads from fd into buffer until it holds needed bytes, fd closes, wakeFd
// fires or timeoutMs passes; false unless it holds them.
bool readUntil(int fd, int wakeFd, std::string& buffer, const std::function<bool()>& complete,
               int timeoutMs) {
    while (!complete()) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        const int r = poll(fds, wakeFd >= 0 ? 2 : 1, timeoutMs);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0 || (wakeFd >= 0 && fds[1].revents)) return false;
        char chunk[8192];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n <= 0) return false;
        buffer.append(chunk, static_cast<size_t>(n));
    }
    return true;
}

void writeAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

size_t contentLength(const std::string& head) {
    const char* const name = "\r\ncontent-length:";
    for (size_t at = 0; at + std::strlen(name) < head.size(); ++at)
        if (strncasecmp(head.c_str() + at, name, std::strlen(name)) == 0)
            return std::strtoul(head.c_str() + at + std::strlen(name), nullptr, 10);
    return 0;
}

}  // namespace

HttpFront::HttpFront(Handler handler)
    : handler_(std::move(handler)), listener_("HTTP front", [this](int fd) {
          std::lock_guard<std::mutex> lock(mutex_);
          connections_.emplace_back(&HttpFront::serve, this, fd);
      }) {}

HttpFront::~HttpFront() {
    listener_.stop();
    for (std::thread& t : connections_) t.join();
}

std::string HttpFront::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port()) + "/" + path;
}

std::vector<std::string> HttpFront::requestLines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requestLines_;
}

void HttpFront::serve(int fd) {
    std::string buffer;
    for (;;) {
        size_t end = std::string::npos;
        if (!readUntil(fd, listener_.stopFd(), buffer,
                       [&] { return (end = buffer.find("\r\n\r\n")) != std::string::npos; },
                       -1))
            break;
        const std::string head = buffer.substr(0, end + 4);
        buffer.erase(0, end + 4);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requestLines_.push_back(head.substr(0, head.find("\r\n")));
        }
        writeAll(fd, handler_(head));
    }
    close(fd);
}

std::string HttpFront::forward(const std::string& requestHead, int port) {
    const int fd = connectToLoopback(port);
    std::string answer;
    if (fd >= 0) {
        writeAll(fd, requestHead);
        size_t headEnd = std::string::npos;
        if (readUntil(fd, -1, answer,
                      [&] { return (headEnd = answer.find("\r\n\r\n")) != std::string::npos; },
                      10000)) {
            const size_t total = headEnd + 4 + contentLength(answer.substr(0, headEnd + 2));
            if (!readUntil(fd, -1, answer, [&] { return answer.size() >= total; }, 10000))
                answer.clear();
        } else {
            answer.clear();
        }
    }
    if (fd >= 0) close(fd);
    return answer;
}

std::string HttpFront::response(const std::string& status, const std::string& contentType,
                                const std::string& body, const std::string& extraHeaders) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + contentType +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extraHeaders + "\r\n" +
           body;
}
