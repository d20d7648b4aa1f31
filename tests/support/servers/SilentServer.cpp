#include "SilentServer.h"

#include <unistd.h>

SilentServer::SilentServer()
    : listener_("silent server", [this](int fd) {
          std::lock_guard<std::mutex> lock(mutex_);
          clients_.push_back(fd);
          ++accepted_;
      }) {}

SilentServer::~SilentServer() {
    listener_.stop();
    for (int fd : clients_) close(fd);
}

std::string SilentServer::zurl(const std::string& database) const {
    return "127.0.0.1:" + std::to_string(port()) + "/" + database;
}
