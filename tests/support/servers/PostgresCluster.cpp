#include "PostgresCluster.h"

#include <glob.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

#include "FreePort.h"

namespace {

// The newest installed server's programs, or QRN_PG_BINDIR.
std::string serverBinDir() {
    if (const char* dir = std::getenv("QRN_PG_BINDIR")) return dir;
    glob_t found{};
    std::string dir;
    if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &found) == 0 && found.gl_pathc > 0) {
        dir = found.gl_pathv[found.gl_pathc - 1];
        dir.erase(dir.rfind('/'));
    }
    globfree(&found);
    if (dir.empty()) throw std::runtime_error("no PostgreSQL server installed (initdb not found)");
    return dir;
}

// Root runs the server programs as "postgres"; anybody else as themselves.
std::vector<std::string> asServerUser(std::vector<std::string> argv) {
    if (geteuid() != 0) return argv;
    argv.insert(argv.begin(), {"setpriv", "--reuid=postgres", "--regid=postgres", "--init-groups",
                               "--reset-env"});
    return argv;
}

void giveToServerUser(const std::string& path) {
    if (geteuid() != 0) return;
    const passwd* pw = getpwnam("postgres");
    if (!pw) throw std::runtime_error("running as root, but there is no postgres user");
    if (chown(path.c_str(), pw->pw_uid, pw->pw_gid) != 0)
        throw std::runtime_error("cannot give " + path + " to the postgres user");
}

}  // namespace

PostgresCluster::PostgresCluster()
    : dataDir_(dir_.file("data")), logFile_(dir_.file("server.log")) {
    const std::string bin = serverBinDir();
    // The server user must reach its folders inside ours, and write its log.
    chmod(dir_.path().c_str(), 0711);
    mkdir(dataDir_.c_str(), 0700);
    giveToServerUser(dataDir_);
    writeFileBytes(logFile_, "");
    giveToServerUser(logFile_);

    ChildProcess initdb(asServerUser({bin + "/initdb", "-D", dataDir_, "-U", user(), "-A", "trust",
                                      "-E", "UTF8", "--locale=C", "--no-sync"}),
                        dir_.path(), logFile_);
    if (initdb.wait(120000) != 0) throw std::runtime_error("initdb failed:\n" + log());

    port_ = pickFreePort();
    server_ = std::make_unique<ChildProcess>(
        asServerUser({bin + "/postgres", "-D", dataDir_, "-p", std::to_string(port_), "-c",
                      "listen_addresses=127.0.0.1", "-k", dataDir_, "-F"}),
        dir_.path(), logFile_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!acceptsConnections(port_)) {
        if (server_->exited() || std::chrono::steady_clock::now() >= deadline)
            throw std::runtime_error("postgres did not come up:\n" + log());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

PostgresCluster::~PostgresCluster() {
    if (!server_) return;
    if (!server_->exited()) {
        kill(server_->pid(), SIGINT);
        server_->wait(10000);
    }
    server_->stop();
}

std::string PostgresCluster::log() const { return readFileBytes(logFile_); }
