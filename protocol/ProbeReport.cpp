#include "protocol/ProbeReport.h"

const char* const kProbeWord = "the";

std::string indexSupportText(const IndexProbe& index) {
    switch (index.support) {
        case IndexSupport::Supported:
            return "supported";
        case IndexSupport::Unsupported:
            return index.diagnostic
                       ? "unsupported (diagnostic " + std::to_string(index.diagnostic) + ")"
                       : "unsupported";
        case IndexSupport::Unknown:
            return "unknown (diagnostic " + std::to_string(index.diagnostic) + ")";
        case IndexSupport::NoAnswer:
            break;
    }
    return "no answer";
}

std::string probeList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "-" : text;
}

int msSince(std::chrono::steady_clock::time_point start) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count());
}
