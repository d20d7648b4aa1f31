#include "search/ScanTargets.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <map>
#include <thread>

#include "protocol/z3950/ZoomInit.h"
#include "search/TargetConnections.h"

std::vector<ScanAnswer> scanTargets(const std::vector<Target>& targets,
                                    const SettingsData& settings, const std::string& pqf,
                                    int32_t number, int32_t position, int connections,
                                    const std::function<bool()>& stopped) {
    initializeZoom();
    std::vector<ScanAnswer> answers(targets.size());
    std::atomic<size_t> next{0};
    const std::function<bool()> isStopped = [&stopped] { return stopped && stopped(); };
    const auto work = [&] {
        for (size_t i = next++; i < targets.size(); i = next++) {
            if (isStopped()) {
                answers[i].failure = "Stopped";
                continue;
            }
            answers[i] = connectionFor(targets[i], settings, isStopped)->scan(pqf, number, position);
        }
    };
    const size_t count = std::min(targets.size(), static_cast<size_t>(std::max(1, connections)));
    std::vector<std::thread> workers;
    for (size_t w = 0; w < count; ++w) workers.emplace_back(work);
    for (std::thread& w : workers) w.join();
    return answers;
}

namespace {

// Servers' index orders differ in detail; this one only places a term
// among terms of other targets, between those its own target shares.
bool comesBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
            return std::tolower(x) < std::tolower(y);
        });
}

}  // namespace

std::vector<ScanRow> mergeScanAnswers(const std::vector<ScanAnswer>& answers) {
    // Each answer keeps its own order; a term new to the rows goes after the
    // last term its answer shares with them.
    std::vector<ScanRow> rows;
    std::map<std::string, size_t> rowOf;
    for (size_t a = 0; a < answers.size(); ++a) {
        size_t insertAt = 0;
        for (const ScanTerm& term : answers[a].terms) {
            const auto found = rowOf.find(term.raw);
            if (found != rowOf.end()) {
                ScanRow& row = rows[found->second];
                if (!row.listed[a]) {
                    row.counts[a] = term.count;
                    row.listed[a] = true;
                }
                insertAt = std::max(insertAt, found->second + 1);
                continue;
            }
            while (insertAt < rows.size() && comesBefore(rows[insertAt].raw, term.raw))
                ++insertAt;
            ScanRow row;
            row.display = term.display;
            row.raw = term.raw;
            row.counts.assign(answers.size(), -1);
            row.listed.assign(answers.size(), false);
            row.counts[a] = term.count;
            row.listed[a] = true;
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(row));
            for (auto& entry : rowOf)
                if (entry.second >= insertAt) ++entry.second;
            rowOf[term.raw] = insertAt;
            ++insertAt;
        }
    }
    return rows;
}

std::string scanLines(const std::vector<Target>& targets, const std::vector<ScanAnswer>& answers) {
    std::string lines;
    for (size_t i = 0; i < targets.size() && i < answers.size(); ++i)
        for (const ScanTerm& term : answers[i].terms) {
            std::string text = term.display;
            std::replace_if(
                text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; },
                ' ');
            lines += targets[i].name + "\t" + text + "\t" +
                     (term.count >= 0 ? std::to_string(term.count) : std::string()) + "\n";
        }
    return lines;
}

ScanReport scanActiveTargets(const std::list<Target>& targets, const SettingsData& settings,
                             const std::string& pqf, int32_t number,
                             const std::function<bool()>& stopped) {
    std::vector<Target> active;
    for (const Target& t : targets)
        if (t.active) active.push_back(t);
    const std::vector<ScanAnswer> answers =
        scanTargets(active, settings, pqf, number, 1, settings.MaxConnections, stopped);
    ScanReport report;
    report.lines = scanLines(active, answers);
    for (size_t i = 0; i < active.size(); ++i)
        if (!answers[i].failure.empty())
            report.failures += "qrn-search: " + active[i].name + ": " + answers[i].failure + "\n";
    return report;
}
