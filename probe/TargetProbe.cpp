#include "probe/TargetProbe.h"

#include <set>

#include "probe/ScanProbe.h"
#include "search/TargetConnections.h"
#include "targets/Target.h"

ProbeReport probeTarget(const Target& target, int timeoutSeconds,
                        const std::function<bool()>& cancelled) {
    const SettingsData settings;
    ProbeReport report =
        connectionFor(target, settings, [&cancelled] { return cancelled && cancelled(); })
            ->probe(timeoutSeconds);
    if (report.ok && !(cancelled && cancelled())) probeScan(target, timeoutSeconds, cancelled, report);
    return report;
}

void learnFromProbe(TargetProfile& profile, const ProbeReport& report) {
    std::set<int> supported;
    for (const IndexProbe& index : report.indexes)
        if (index.support == IndexSupport::Supported) supported.insert(index.use);
    for (const IndexProbe& index : report.indexes) {
        if (index.support != IndexSupport::Unsupported) continue;
        profile.unsupported.insert(index.use);
        if (profile.replacementFor(index.use)) continue;
        const int any = 1016;
        const int replacement = index.use == 1007 && supported.count(7) ? 7 : any;
        if (replacement != index.use && supported.count(replacement))
            profile.fallbacks.push_back({index.use, replacement});
    }
}
