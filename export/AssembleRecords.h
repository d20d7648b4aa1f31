// Many records made into one export file, away from the UI thread: the
// records are copied out of the store a slice at a time, so workers adding
// records wait at most for one slice and never for the file.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/FileExportKind.h"
#include "export/MarcExportForm.h"

class ResultStore;

// Shared between the thread doing the work and the one watching it.
struct ExportProgress {
    std::atomic<size_t> done{0};  // records handled so far
    std::atomic<bool> cancel{false};
};

struct AssembledFile {
    bool cancelled = false;  // then bytes is empty
    std::string bytes;       // empty when no record was written
    size_t written = 0;
    size_t skipped = 0;
    size_t tooLongForMarc = 0;  // of the skipped ones
};

// Any thread. The file of the records with these numbers, in this order
// (numbers no longer in the store are left out). XSL Transformation applies
// the stylesheet file once to the whole XML document; when that fails the
// service tells the user and the untransformed document is kept.
AssembledFile assembleRecords(const ResultStore& store, const std::vector<int32_t>& numbers,
                              FileExportKind kind, const std::string& stylesheet,
                              ExportProgress& progress,
                              const MarcExportOptions& options = MarcExportOptions());
