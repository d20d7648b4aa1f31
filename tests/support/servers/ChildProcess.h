// A program run as a child in its own process group, so that stopping it also
// stops whatever it forked. Stopped on destruction, also when a test fails.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts argv[0] (found through PATH) in dir with standard output and error
    // appended to logFile. Throws std::runtime_error when it cannot be started.
    ChildProcess(const std::vector<std::string>& argv, const std::string& dir,
                 const std::string& logFile);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // True once the program has ended; reaps it.
    bool exited();
    // Waits up to timeoutMs for the program to end; its exit status, or -1 while it
    // still runs (a program killed by a signal gives 128 + the signal).
    int wait(int timeoutMs);
    // SIGTERM to the group, up to 3 s for the program to end, then SIGKILL; reaps it.
    void stop();

private:
    bool exitedWithoutReaping();

    pid_t pid_ = -1;
    int status_ = -1;
};
