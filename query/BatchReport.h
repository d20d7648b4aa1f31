// What a batch search found for each of its numbers: found, not found or
// failed, how many records, from which targets. Pure logic; UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "search/BatchOutcomes.h"
#include "copies/CopyGrouping.h"

class DocumentCore;

enum class BatchNumberState { Found, NotFound, Error, Refused };

// "found", "not found", "error", "refused".
const char* batchStateText(BatchNumberState state);

struct BatchReportRow {
    std::string number;
    BatchNumberState state = BatchNumberState::NotFound;
    // The targets that found it; for an error, those that failed it or
    // never came to search it.
    std::vector<std::string> targets;
    // In store order.
    std::vector<int32_t> records;
    // The record to copy, where something can tell; 0 when nothing can.
    int32_t suggestedRecord = 0;
    // The title of the suggested record, else of the first.
    std::string title;
    // The suggested record by title and target: "Title (Target)".
    std::string suggested;
    // Why a refused line was not searched.
    std::string reason;
};

// The state as the report shows it: a refused line's with its reason.
std::string batchStateLabel(const BatchReportRow& row);

// One stored record of a batch search.
struct BatchHit {
    int32_t record = 0;
    int32_t targetId = 0;
    int32_t query = -1;
    std::string title;
};

// Picks the record worth copying among a number's records; 0 for none.
using BestRecordChooser = std::function<int32_t(const std::vector<int32_t>& records)>;

// Chooses by the copies' quality marks (the grouped list's rule); the
// grouping must have seen the records.
BestRecordChooser bestCopyChooser(const CopyGrouping& copies);

// Found when some record came back; else error when some target failed the
// query or did not reach it; else not found. Refused lines take their place in
// file order among the numbers.
std::vector<BatchReportRow> tallyBatchReport(
    const std::vector<std::string>& numbers,
    const std::vector<BatchOutcomes::TargetOutcomes>& targets, const std::vector<BatchHit>& hits,
    const BestRecordChooser& chooseBest = {}, const std::vector<BatchRefusal>& refusals = {});

// The report of the document's last search; empty when it was no batch.
std::vector<BatchReportRow> batchReportOf(const DocumentCore& doc,
                                          const BestRecordChooser& chooseBest = {});

// A line per number: number TAB state TAB records TAB targets ("; "-joined);
// a refused line's state is "refused: " and its reason. As a table: a header
// line first, and the title and the suggested record as two more columns.
std::string batchReportLines(const std::vector<BatchReportRow>& rows, bool asTable = false);
// Every number no record came back for, one a line, as a numbers file; a
// refused line comes after a comment line with its reason.
std::string unfoundNumbersFile(const std::vector<BatchReportRow>& rows);
