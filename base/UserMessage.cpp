#include "base/UserMessage.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex sinkMutex;
UserMessageSink installedSink;
}  // namespace

void showUserMessage(const std::string& text) {
    UserMessageSink sink;
    {
        std::lock_guard<std::mutex> lock(sinkMutex);
        sink = installedSink;
    }
    if (sink) {
        sink(text);
        return;
    }
    std::fprintf(stderr, "qrn: %s\n", text.c_str());
}

void setUserMessageSink(UserMessageSink sink) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    installedSink = std::move(sink);
}
