// The catalogues of the search benchmark (scripts/bench-search drives it):
//   bench_search_servers DIR DELAY_MS
// Four Zebra servers of 20,000 generated records each on 127.0.0.1, each with a
// proxy in front that holds traffic DELAY_MS in each direction. Writes into DIR
// the target lists and zoomsh command files for both ways in (targets-direct.xml,
// targets-delayed.xml, zoomsh-direct.txt, zoomsh-delayed.txt), then the file
// "ready", and serves until SIGTERM or SIGINT.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <fstream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "MarcCorpus.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "targets/TargetList.h"
#include "targets/TargetXml.h"

namespace {

constexpr int kServers = 4;
constexpr int kRecordsPerServer = 20000;
constexpr uint32_t kSeed = 7;
constexpr const char* kQuery = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

using Clock = std::chrono::steady_clock;

// One direction of a proxied connection: the reader queues what arrives with
// its due time, the writer sends it once due, so the delay adds no throttle.
class DelayedPipe {
public:
    DelayedPipe(int from, int to, std::chrono::milliseconds delay)
        : from_(from), to_(to), delay_(delay) {
        reader_ = std::thread([this] { readLoop(); });
        writer_ = std::thread([this] { writeLoop(); });
    }
    ~DelayedPipe() {
        reader_.join();
        writer_.join();
    }
    bool ended() const { return ended_.load() == 2; }

private:
    struct Chunk {
        Clock::time_point due;
        std::string bytes;  // empty: the sender closed
    };

    void readLoop() {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(from_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            push({Clock::now() + delay_, n > 0 ? std::string(buffer, n) : std::string()});
            if (n <= 0) break;
        }
        ++ended_;
    }

    void writeLoop() {
        for (;;) {
            Chunk chunk;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                queued_.wait(lock, [this] { return !chunks_.empty(); });
                chunk = std::move(chunks_.front());
                chunks_.pop_front();
            }
            std::this_thread::sleep_until(chunk.due);
            if (chunk.bytes.empty() || !sendAll(chunk.bytes)) {
                ::shutdown(to_, SHUT_WR);
                // Unblocks our reader when the receiver went away first.
                if (!chunk.bytes.empty()) ::shutdown(from_, SHUT_RD);
                break;
            }
        }
        ++ended_;
    }

    bool sendAll(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::send(to_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    void push(Chunk chunk) {
        std::lock_guard<std::mutex> lock(mutex_);
        chunks_.push_back(std::move(chunk));
        queued_.notify_one();
    }

    int from_, to_;
    std::chrono::milliseconds delay_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<Chunk> chunks_;
    std::atomic<int> ended_{0};
    std::thread reader_, writer_;
};

struct Socket {
    int fd;
    explicit Socket(int f) : fd(f) {}
    ~Socket() { ::close(fd); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
};

// Both directions of one proxied connection. The sockets are declared first so
// they close only after both pipes have joined.
struct ProxiedConnection {
    Socket client, server;
    DelayedPipe up, down;
    ProxiedConnection(int c, int s, std::chrono::milliseconds delay)
        : client(c), server(s), up(c, s, delay), down(s, c, delay) {}
    bool ended() const { return up.ended() && down.ended(); }
    void cut() {
        ::shutdown(client.fd, SHUT_RDWR);
        ::shutdown(server.fd, SHUT_RDWR);
    }
};

int loopbackSocket(sockaddr_in& addr, int port) {
    addr = sockaddr_in{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    return ::socket(AF_INET, SOCK_STREAM, 0);
}

int connectToLoopback(int port) {
    sockaddr_in addr;
    const int fd = loopbackSocket(addr, port);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    const int on = 1;
    if (fd >= 0) ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

// A delaying TCP proxy on a port of its own in front of one server port.
class DelayProxy {
public:
    DelayProxy(int upstreamPort, std::chrono::milliseconds delay)
        : upstreamPort_(upstreamPort), delay_(delay) {
        sockaddr_in addr;
        listenFd_ = loopbackSocket(addr, 0);
        socklen_t len = sizeof addr;
        if (listenFd_ < 0 ||
            ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(listenFd_, 64) != 0 ||
            ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
            ::pipe(wakeFds_) != 0)
            throw std::runtime_error("the proxy cannot listen on 127.0.0.1");
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { acceptLoop(); });
    }
    ~DelayProxy() {
        const char c = 0;
        (void)!::write(wakeFds_[1], &c, 1);
        thread_.join();
        for (auto& c : connections_) c->cut();
        connections_.clear();
        ::close(listenFd_);
        ::close(wakeFds_[0]);
        ::close(wakeFds_[1]);
    }
    DelayProxy(const DelayProxy&) = delete;
    DelayProxy& operator=(const DelayProxy&) = delete;

    int port() const { return port_; }

private:
    void acceptLoop() {
        for (;;) {
            pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) continue;
            if (fds[1].revents) return;
            const int client = ::accept(listenFd_, nullptr, nullptr);
            if (client < 0) continue;
            const int server = connectToLoopback(upstreamPort_);
            if (server < 0) {
                ::close(client);
                continue;
            }
            const int on = 1;
            ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            // Runs go on for minutes: drop the connections of earlier runs.
            for (size_t i = connections_.size(); i-- > 0;)
                if (connections_[i]->ended()) connections_.erase(connections_.begin() + i);
            connections_.push_back(std::make_unique<ProxiedConnection>(client, server, delay_));
        }
    }

    int upstreamPort_;
    std::chrono::milliseconds delay_;
    int listenFd_ = -1;
    int port_ = 0;
    int wakeFds_[2] = {-1, -1};
    std::vector<std::unique_ptr<ProxiedConnection>> connections_;
    std::thread thread_;
};

struct Way {
    const char* name;
    std::vector<int> ports;
};

void writeTargetList(const std::string& path, const std::vector<int>& ports) {
    TargetList list;
    list.selectedLocation = "All";
    for (size_t i = 0; i < ports.size(); ++i) {
        Target target;
        target.name = "z" + std::to_string(i + 1);
        target.zurl = "127.0.0.1:" + std::to_string(ports[i]) + "/Default";
        target.recsyntax = "usmarc";
        target.elementsetname = "F";
        target.active = true;
        list.targets.push_back(target);
    }
    std::ofstream out(path);
    out << targetListToXml(list);
    if (!out) throw std::runtime_error("cannot write " + path);
}

// zoomsh reads these from standard input; "search" waits for every connection.
void writeZoomshCommands(const std::string& path, const std::vector<int>& ports) {
    std::ofstream out(path);
    out << "set async 1\nset count 1000\nset preferredRecordSyntax usmarc\nset elementSetName F\n";
    for (int port : ports) out << "connect 127.0.0.1:" << port << "/Default\n";
    out << "search " << kQuery << "\nquit\n";
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_search_servers DIR DELAY_MS\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::chrono::milliseconds delay(std::atoi(argv[2]));
    // Every thread inherits the mask, so only sigwait below sees these.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    try {
        TempDir corpusDir;
        const std::string corpus = corpusDir.file("corpus.mrc");
        writeCorpusFile(corpus, kRecordsPerServer, kSeed);
        const std::vector<std::unique_ptr<ZebraServer>> servers =
            ZebraServer::severalOnOneRegister(corpus, kServers);
        std::vector<std::unique_ptr<DelayProxy>> proxies;
        Way direct{"direct", {}}, delayed{"delayed", {}};
        for (const auto& s : servers) {
            proxies.push_back(std::make_unique<DelayProxy>(s->port(), delay));
            direct.ports.push_back(s->port());
            delayed.ports.push_back(proxies.back()->port());
        }
        for (const Way& way : {direct, delayed}) {
            writeTargetList(dir + "/targets-" + way.name + ".xml", way.ports);
            writeZoomshCommands(dir + "/zoomsh-" + way.name + ".txt", way.ports);
        }
        writeFileBytes(dir + "/ready", "");
        int signal = 0;
        sigwait(&stopSignals, &signal);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_search_servers: %s\n", e.what());
        return 1;
    }
    return 0;
}
