// A private PostgreSQL cluster for the tests: made with initdb in a temporary
// folder, served by postgres on 127.0.0.1 at a port the kernel picked (its unix
// socket in the same folder), trusting every local connection, stopped by pid
// and removed with the object. Run as root, the server runs as the "postgres"
// user, which PostgreSQL insists on. Qt-free.
#pragma once

#include <memory>
#include <string>

#include "ChildProcess.h"
#include "TestSupport.h"

class PostgresCluster {
public:
    // Throws std::runtime_error, with the server's log, when the cluster cannot
    // be made or does not accept connections within 30 s.
    PostgresCluster();
    // Fast shutdown (SIGINT), up to 10 s, then the child process's own stop.
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    int port() const { return port_; }
    // The superuser, "postgres", with no password.
    static const char* user() { return "postgres"; }
    // The server's log so far.
    std::string log() const;

private:
    TempDir dir_;
    std::string dataDir_;
    std::string logFile_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> server_;
};
