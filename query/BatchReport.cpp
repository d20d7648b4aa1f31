#include "query/BatchReport.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "document/DocumentCore.h"
#include "query/BatchNumbers.h"

namespace {

void addOnce(std::vector<std::string>& names, const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// A tab or line end in a name would break the line's columns.
std::string cell(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

std::string batchStateLabel(const BatchReportRow& row) {
    const std::string state = batchStateText(row.state);
    return row.reason.empty() ? state : state + ": " + row.reason;
}

const char* batchStateText(BatchNumberState state) {
    switch (state) {
        case BatchNumberState::Found:
            return "found";
        case BatchNumberState::NotFound:
            return "not found";
        case BatchNumberState::Refused:
            return "refused";
        case BatchNumberState::Error:
            break;
    }
    return "error";
}

std::vector<BatchReportRow> tallyBatchReport(
    const std::vector<std::string>& numbers,
    const std::vector<BatchOutcomes::TargetOutcomes>& targets, const std::vector<BatchHit>& hits,
    const BestRecordChooser& chooseBest, const std::vector<BatchRefusal>& refusals) {
    std::vector<BatchReportRow> rows(numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i) rows[i].number = numbers[i];
    const auto nameOf = [&targets](int32_t id) {
        for (const auto& t : targets)
            if (t.id == id) return t.name;
        return std::string();
    };
    std::unordered_map<int32_t, const BatchHit*> byRecord;
    for (const BatchHit& hit : hits) {
        if (hit.query < 0 || static_cast<size_t>(hit.query) >= rows.size()) continue;
        BatchReportRow& row = rows[static_cast<size_t>(hit.query)];
        row.records.push_back(hit.record);
        addOnce(row.targets, nameOf(hit.targetId));
        byRecord.emplace(hit.record, &hit);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        BatchReportRow& row = rows[i];
        if (!row.records.empty()) {
            row.state = BatchNumberState::Found;
            std::sort(row.records.begin(), row.records.end());
            if (chooseBest) row.suggestedRecord = chooseBest(row.records);
            const auto named = byRecord.find(row.suggestedRecord);
            if (named != byRecord.end()) {
                row.title = named->second->title;
                row.suggested = row.title + " (" + nameOf(named->second->targetId) + ")";
            } else {
                row.title = byRecord.at(row.records.front())->title;
            }
            continue;
        }
        for (const auto& t : targets)
            if (i < t.queries.size() && t.queries[i] != BatchQueryOutcome::Searched) {
                row.state = BatchNumberState::Error;
                addOnce(row.targets, t.name);
            }
    }
    if (refusals.empty()) return rows;
    std::vector<BatchReportRow> inFileOrder;
    inFileOrder.reserve(rows.size() + refusals.size());
    visitInFileOrder(
        rows.size(), refusals, [&](size_t i) { inFileOrder.push_back(std::move(rows[i])); },
        [&](const BatchRefusal& r) {
            BatchReportRow refused;
            refused.number = r.given;
            refused.state = BatchNumberState::Refused;
            refused.reason = r.reason;
            inFileOrder.push_back(std::move(refused));
        });
    return inFileOrder;
}

BestRecordChooser bestCopyChooser(const CopyGrouping& copies) {
    return [&copies](const std::vector<int32_t>& records) {
        int32_t best = 0;
        for (int32_t n : records)
            if (best == 0 || betterCopy(copies.marks(n), copies.marks(best))) best = n;
        return best;
    };
}

std::vector<BatchReportRow> batchReportOf(const DocumentCore& doc,
                                          const BestRecordChooser& chooseBest) {
    const std::shared_ptr<const BatchOutcomes> outcomes = doc.search.batchOutcomes();
    if (!outcomes) return {};
    std::vector<BatchHit> hits;
    hits.reserve(doc.store.count());
    doc.store.visitBriefFields([&hits](const BriefFields& r) {
        hits.push_back({r.number, r.targetId, r.batchQuery, std::string(r.title)});
    });
    return tallyBatchReport(outcomes->numbers(), outcomes->snapshot(), hits, chooseBest,
                            outcomes->refusals());
}

std::string batchReportLines(const std::vector<BatchReportRow>& rows, bool asTable) {
    std::string text =
        asTable ? "Number\tState\tRecords\tTargets\tTitle\tSuggested best record\n" : "";
    for (const BatchReportRow& row : rows) {
        text += cell(row.number) + '\t' + cell(batchStateLabel(row)) + '\t' +
                std::to_string(row.records.size()) + '\t';
        for (size_t i = 0; i < row.targets.size(); ++i)
            text += (i ? "; " : "") + cell(row.targets[i]);
        if (asTable) text += '\t' + cell(row.title) + '\t' + cell(row.suggested);
        text += '\n';
    }
    return text;
}

std::string unfoundNumbersFile(const std::vector<BatchReportRow>& rows) {
    std::string text;
    for (const BatchReportRow& row : rows)
        if (row.state == BatchNumberState::Refused)
            text += "# " + cell(row.reason) + '\n' + cell(row.number) + '\n';
        else if (row.state != BatchNumberState::Found)
            text += row.number + '\n';
    return text;
}
