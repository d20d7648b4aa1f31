#include "probe/ScanProbe.h"

#include "probe/TargetProbe.h"
#include "search/TargetConnections.h"

void probeScan(const Target& target, int timeoutSeconds, const std::function<bool()>& cancelled,
               ProbeReport& report) {
    Target config = target;
    config.profile.timeoutSeconds = timeoutSeconds;
    const SettingsData settings;
    const ScanAnswer answer =
        connectionFor(config, settings, [&cancelled] { return cancelled && cancelled(); })
            ->scan("@attr 1=4 a", 1, 1);
    report.scans = answer.failure.empty() && !answer.terms.empty();
    report.scanNote = report.scans                ? std::string("supported")
                      : answer.failure.empty() ? std::string("no terms")
                                               : answer.failure;
    report.text += "Scan: " + report.scanNote + "\n";
}
