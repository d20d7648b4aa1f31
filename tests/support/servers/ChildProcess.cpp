#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& dir,
                           const std::string& logFile) {
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    // posix_spawn rather than fork: the test process has threads (ZOOM, gtest).
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);

    const int rc = posix_spawnp(&pid_, args[0], &actions, &attr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot run " + argv[0] + ": " + std::strerror(rc));
    }
}

ChildProcess::~ChildProcess() { stop(); }

bool ChildProcess::exited() {
    if (pid_ < 0) return true;
    if (status_ >= 0) return true;
    int raw = 0;
    const pid_t r = waitpid(pid_, &raw, WNOHANG);
    if (r == 0) return false;
    if (r < 0 && errno == EINTR) return false;
    status_ = r < 0 ? 127 : WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

int ChildProcess::wait(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!exited()) {
        if (std::chrono::steady_clock::now() >= deadline) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
}

void ChildProcess::stop() {
    // Once reaped, its pid may already belong to somebody else: leave it alone.
    if (pid_ <= 0 || status_ >= 0) return;
    if (!exitedWithoutReaping()) {
        // Its own pid names the group, which also holds anything the program forked.
        kill(-pid_, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!exitedWithoutReaping()) {
            if (std::chrono::steady_clock::now() >= deadline) kill(-pid_, SIGKILL);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    // The unreaped leader keeps the group id taken, so this reaches only our stragglers.
    kill(-pid_, SIGKILL);
    exited();
}

bool ChildProcess::exitedWithoutReaping() {
    if (pid_ < 0 || status_ >= 0) return true;
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return errno != EINTR;
    return info.si_pid == pid_;
}
