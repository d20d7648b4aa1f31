#include "protocol/sru/SruProbe.h"

#include <chrono>
#include <set>
#include <string>

#include "protocol/UseAttributes.h"
#include "protocol/sru/SruExplain.h"
#include "protocol/sru/SruHttp.h"
#include "protocol/sru/SruIndexMapping.h"
#include "targets/Target.h"

using Clock = std::chrono::steady_clock;

ProbeReport probeSru(const Target& target, int timeoutSeconds,
                     const std::function<bool()>& cancelled) {
    ProbeReport report;
    const std::string url = target.zurl + (target.zurl.find('?') == std::string::npos ? "?" : "&") +
                            "operation=explain&version=1.2";
    SruHttpRequest request;
    request.url = url;
    request.username = target.username;
    request.password = target.password;
    request.totalTimeoutSeconds = timeoutSeconds;
    request.proxy = target.profile.proxy;
    request.stopped = cancelled;
    const Clock::time_point start = Clock::now();
    const SruHttpResponse response = sruHttpGet(request);
    if (response.stopped) {
        report.error = "Cancelled";
        report.text = report.error + "\n";
        return report;
    }
    if (!response.error.empty()) {
        report.text = "No answer from " + target.zurl + ": " + response.error + "\n";
    } else if (response.status != 200) {
        report.text = "The server answered HTTP " + std::to_string(response.status) +
                      " to an Explain request.\n";
    } else {
        report.roundTripMs = msSince(start);
        const SruExplain explain = parseSruExplain(response.body);
        if (!explain.error.empty()) {
            report.text = explain.error + "\n";
        } else {
            report.ok = true;
            report.schemas = explain.schemas;
            report.syntaxes = explain.schemas;
            report.text = "Server: " + (explain.host.empty() ? "-" : explain.host) +
                          (explain.port.empty() ? "" : ":" + explain.port) +
                          (explain.database.empty() ? "" : "/" + explain.database) + "\n" +
                          (explain.title.empty() ? "" : "Title: " + explain.title + "\n") +
                          "SRU version: " + (explain.version.empty() ? "-" : explain.version) +
                          "\nSchemas: " + probeList(explain.schemas) +
                          "\nIndexes: " + probeList(explain.indexes) + "\n";
            if (!explain.indexes.empty()) {
                const std::set<int> uses = useAttributesOfCqlIndexes(explain.indexes);
                for (int use : commonUseAttributes()) {
                    IndexProbe index;
                    index.use = use;
                    index.support =
                        uses.count(use) ? IndexSupport::Supported : IndexSupport::Unsupported;
                    report.indexes.push_back(index);
                    report.text += useAttributeName(use) + ": " + indexSupportText(index) + "\n";
                }
            }
        }
    }
    if (!report.ok) report.error = report.text.substr(0, report.text.size() - 1);
    return report;
}

