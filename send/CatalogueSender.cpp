#include "send/CatalogueSender.h"

#include <algorithm>

#include "marc/CleanIso2709.h"
#include "protocol/IndexFallbacks.h"
#include "records/BriefMarcHandler.h"
#include "send/OverlayRecord.h"

namespace {

// Enough of what a search by words finds to tell the real match among them.
constexpr int32_t kCandidates = 10;
constexpr int kDatabaseUnavailable = 109;

}  // namespace

std::string sendResultText(const SendReport& report) {
    switch (report.kind) {
        case SendReport::Kind::Inserted:
            return "inserted";
        case SendReport::Kind::Replaced:
            return "replaced " + report.id;
        case SendReport::Kind::AlreadyThere:
            return "already there " + report.id;
        case SendReport::Kind::Refused:
            return "refused (diagnostic " + std::to_string(report.diagnostic) + ": " + report.text +
                   ")";
        case SendReport::Kind::NotSent:
            break;
    }
    return "not sent: " + report.text;
}

CatalogueSender::CatalogueSender(TargetConnection& catalogue, const TargetProfile& profile,
                                 const MarcTagPatterns& drop)
    : catalogue_(catalogue), profile_(profile), drop_(drop) {}

bool CatalogueSender::connect() {
    if (catalogue_.connect()) return true;
    failure_ = catalogue_.failure().text;
    broken_ = true;
    return false;
}

bool CatalogueSender::search(const std::string& pqf) {
    if (catalogue_.search(pqf, 0)) return true;
    const ConnectionFailure& failure = catalogue_.failure();
    if (failure.indexRejected) {
        const FallbackRewrite retry = rewriteRejected(pqf, failure.indexInfo, profile_);
        if (!retry.note.empty() && catalogue_.search(retry.pqf, 0)) return true;
    }
    failure_ = catalogue_.failure().text;
    return false;
}

CatalogueMatch CatalogueSender::findMatch(const std::string& iso2709) {
    CatalogueMatch match;
    for (const std::string& pqf : duplicateQueries(iso2709)) {
        if (!search(rewriteKnownUnsupported(pqf, profile_).pqf)) {
            const ConnectionFailure& failure = catalogue_.failure();
            // An index the catalogue lacks holds none of its records; a
            // database comes to be with its first record.
            if (failure.indexRejected || failure.bib1Diagnostic == kDatabaseUnavailable) continue;
            match.checkFailed = true;
            return match;
        }
        const int32_t end = int32_t(std::min<int64_t>(catalogue_.hits(), kCandidates));
        catalogue_.fetch(0, end, [&](FetchedRecords&& fetched) {
            for (const Record& record : fetched.records) {
                if (record.kind != Marc || !sameIdentifiers(iso2709, record.rawData)) continue;
                match.found = true;
                match.title = record.title;
                match.id = controlNumber(record.rawData);
                return false;
            }
            return true;
        });
        if (match.found) return match;
    }
    return match;
}

SendReport CatalogueSender::send(const std::string& iso2709, const CatalogueMatch& match,
                                 MatchChoice choice) {
    SendReport report;
    report.title = briefMarcFields(iso2709).title;
    if (match.found && choice == MatchChoice::Skip) {
        report.kind = SendReport::Kind::AlreadyThere;
        report.id = match.id;
        return report;
    }
    if (match.checkFailed) {
        // Sending blind could put a second copy in the catalogue.
        report.text = "the catalogue could not be searched for it: " + failure_;
        return report;
    }
    std::string record = drop_.empty() ? iso2709 : withoutFields(iso2709, drop_);
    const bool overlay = match.found && choice == MatchChoice::Overlay;
    if (overlay) {
        record = overlayRecord(record, match.id);
        if (record.empty()) {
            report.text = "the record would be too long with the catalogue's number";
            return report;
        }
    }
    const UpdateOutcome outcome =
        catalogue_.update(record, overlay ? UpdateAction::Replace : UpdateAction::Insert);
    report.diagnostic = outcome.diagnostic;
    report.text = outcome.text;
    switch (outcome.kind) {
        case UpdateOutcome::Kind::Done:
            report.kind = overlay ? SendReport::Kind::Replaced : SendReport::Kind::Inserted;
            report.id = overlay ? match.id : std::string();
            break;
        case UpdateOutcome::Kind::Refused:
            report.kind = SendReport::Kind::Refused;
            break;
        case UpdateOutcome::Kind::Stopped:
            report.text = "stopped";
            break;
        case UpdateOutcome::Kind::Failed:
        case UpdateOutcome::Kind::Unsupported:
            broken_ = true;
            failure_ = outcome.text;
            break;
    }
    return report;
}

std::vector<SendReport> sendRecords(
    CatalogueSender& sender, const std::vector<std::string>& records,
    const std::function<MatchChoice(size_t index, const CatalogueMatch& match)>& decide,
    const std::function<void(size_t index, const SendReport& report)>& progress,
    const std::function<bool()>& shouldStop) {
    std::vector<SendReport> reports;
    for (size_t i = 0; i < records.size(); ++i) {
        if (shouldStop && shouldStop()) break;
        const CatalogueMatch match = sender.findMatch(records[i]);
        if (shouldStop && shouldStop()) break;
        const MatchChoice choice = match.found ? decide(i, match) : MatchChoice::AddAnyway;
        reports.push_back(sender.send(records[i], match, choice));
        if (progress) progress(i, reports.back());
        if (sender.broken()) break;
    }
    return reports;
}
