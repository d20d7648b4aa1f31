#include "export/AssembleRecords.h"

#include <algorithm>

#include "records/MarcForms.h"
#include "records/ResultStore.h"
#include "export/ManyRecordFile.h"
#include "xml/XmlDocument.h"

namespace {

// Small enough that a worker appending records barely waits for the lock.
constexpr size_t kSliceSize = 256;

}  // namespace

AssembledFile assembleRecords(const ResultStore& store, const std::vector<int32_t>& numbers,
                              FileExportKind kind, const std::string& stylesheet,
                              ExportProgress& progress, const MarcExportOptions& options) {
    AssembledFile result;
    ManyRecordFile file(kind, options);
    // Records as received need only their bytes; anything else is made outside the lock.
    const bool bytesOnly = kind == FileExportKind::Marc && options.asReceived();
    const bool forms = kind != FileExportKind::Marc && kind != FileExportKind::MarcText;
    if (bytesOnly) {
        // Reading the sizes first saves copying tens of megabytes while the file grows.
        size_t total = 0;
        for (size_t first = 0; first < numbers.size(); first += kSliceSize)
            store.visitRecords(numbers.data() + first, std::min(kSliceSize, numbers.size() - first),
                               [&total](const Record& record) { total += record.rawData.size(); });
        file.reserve(total);
    }
    for (size_t first = 0; first < numbers.size(); first += kSliceSize) {
        if (progress.cancel) {
            result.cancelled = true;
            return result;
        }
        const size_t count = std::min(kSliceSize, numbers.size() - first);
        if (bytesOnly) {
            // Only the bytes are needed: appended in place, the copy is all the lock waits for.
            store.visitRecords(numbers.data() + first, count,
                               [&file](const Record& record) { file.add(record); });
        } else {
            // The other forms are made here, outside the lock.
            for (Record& record : store.copyRecords(numbers.data() + first, count)) {
                if (forms) completeRecordForms(record);
                file.add(record);
            }
        }
        progress.done = first + count;
    }
    result.written = file.written();
    result.skipped = file.skipped();
    result.tooLongForMarc = file.tooLongForMarc();
    result.bytes = file.finish();
    if (kind == FileExportKind::XslTransformation && !progress.cancel)
        transformXml(result.bytes, stylesheet, result.bytes);
    if (progress.cancel) {
        result.cancelled = true;
        result.bytes.clear();
    }
    return result;
}
