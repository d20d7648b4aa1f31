#include "probe/TargetCheck.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "protocol/UseAttributes.h"
#include "protocol/z3950/ZoomInit.h"

std::vector<ProbeReport> probeTargets(const std::vector<Target>& targets, int connections,
                                      int timeoutSeconds, const std::function<bool()>& cancelled,
                                      const std::function<void(size_t, const ProbeReport&)>& done) {
    initializeZoom();
    std::vector<ProbeReport> reports(targets.size());
    std::atomic<size_t> next{0};
    std::mutex doneMutex;
    const auto work = [&] {
        for (size_t i = next++; i < targets.size(); i = next++) {
            if (cancelled && cancelled()) {
                reports[i].error = "Cancelled";
            } else {
                const int own = targets[i].profile.timeoutSeconds;
                reports[i] = probeTarget(targets[i], own > 0 ? own : timeoutSeconds, cancelled);
            }
            if (done) {
                std::lock_guard<std::mutex> lock(doneMutex);
                done(i, reports[i]);
            }
        }
    };
    const size_t count = std::min(targets.size(), static_cast<size_t>(std::max(1, connections)));
    std::vector<std::thread> workers;
    for (size_t w = 0; w < count; ++w) workers.emplace_back(work);
    for (std::thread& w : workers) w.join();
    return reports;
}

std::string probeLines(const std::string& name, const ProbeReport& report) {
    std::string lines;
    for (const IndexProbe& index : report.indexes)
        lines += name + "\t" + std::to_string(index.use) + "\t" + useAttributeName(index.use) +
                 "\t" + indexSupportText(index) + "\n";
    lines += name + "\t";
    if (report.roundTripMs < 0) {
        lines += "no answer\t" + report.error;
    } else if (!report.error.empty()) {
        // The server answered, but not as one of its kind (an HTML page, a lone diagnostic).
        lines += std::to_string(report.roundTripMs) + " ms\t" + report.error;
    } else {
        lines += std::to_string(report.roundTripMs) + " ms\t";
        for (size_t i = 0; i < report.syntaxes.size(); ++i)
            lines += (i ? " " : "") + report.syntaxes[i];
    }
    return lines + "\n";
}

const std::vector<std::string>& checkReportColumns() {
    static const std::vector<std::string> columns = {
        "Target", "Reachable", "Round trip", "Supported indexes", "Record syntaxes", "Error"};
    return columns;
}

std::vector<std::string> checkReportRow(const std::string& name, const ProbeReport& report) {
    std::string indexes;
    for (const IndexProbe& index : report.indexes)
        if (index.support == IndexSupport::Supported)
            indexes += (indexes.empty() ? "" : ", ") + useAttributeName(index.use);
    std::string syntaxes;
    for (const std::string& syntax : report.syntaxes)
        syntaxes += (syntaxes.empty() ? "" : ", ") + syntax;
    std::vector<std::string> row = {
        name,
        report.roundTripMs >= 0 ? "reachable" : "unreachable",
        report.roundTripMs >= 0 ? std::to_string(report.roundTripMs) + " ms" : std::string(),
        indexes,
        syntaxes,
        report.error};
    for (std::string& field : row)
        for (char& c : field)
            if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return row;
}
