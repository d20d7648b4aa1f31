#include "export/StreamRecords.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "copies/CopyGroupLines.h"
#include "copies/CopyGrouping.h"
#include "export/ManyRecordFile.h"
#include "export/MarcExportForm.h"
#include "records/BriefLine.h"
#include "records/MarcForms.h"

namespace {

const char* const kProgram = "qrn-search";

// One record in the format asked for, false when it has no such form (MARCXML
// too long for ISO 2709 in MARC or MARC text); XML goes into one collection.
bool writeRecord(Record& r, const std::string& format, const MarcExportOptions& marc,
                 ManyRecordFile& xml, std::ostream& out) {
    if ((format == "marc" || format == "mrk") && r.kind == Xml && r.xmlSchema == MarcXml)
        return false;
    if (format == "xml" || format == "text") completeRecordForms(r);
    if (format == "brief") {
        out << r.number << '\t' << briefValue(r.title) << '\t' << briefValue(r.author) << '\t'
                  << briefValue(r.targetName) << '\t' << briefValue(r.date) << '\n';
    } else if (format == "marc") {
        out << (r.kind == Marc ? exportIso2709(r, marc) : r.rawData);
    } else if (format == "mrk") {
        const std::string text = exportMarcText(r, marc);
        if (!text.empty()) out << text << '\n';
    } else if (format == "xml") {
        xml.add(r);
    } else {
        out << r.renderedText;
    }
    return true;
}

}  // namespace

int writeRecords(const DocumentCore& doc, const std::string& format, const std::string& encoding,
                 std::ostream& out) {
    errno = 0;
    MarcExportOptions marc = marcExportOptions(*doc.settings);
    marc.asUtf8 = encoding == "utf-8";
    if (format == "groups") {
        CopyGrouping grouping;
        out << copyGroupLines(doc.store, grouping);
        out.flush();
        return out ? 0 : errno ? errno : EIO;
    }
    ManyRecordFile xml(FileExportKind::Xml, marc);
    // A slice at a time: a copy of every record would double what the search holds.
    constexpr size_t kSlice = 256;
    const size_t total = doc.store.count();
    std::vector<int32_t> numbers;
    size_t leftOut = 0;
    for (size_t first = 0; first < total; first += kSlice) {
        numbers.clear();
        for (size_t n = first + 1; n <= std::min(total, first + kSlice); ++n)
            numbers.push_back(static_cast<int32_t>(n));
        for (Record& r : doc.store.copyRecords(numbers.data(), numbers.size())) {
            if (!writeRecord(r, format, marc, xml, out)) ++leftOut;
            if (!out) return errno ? errno : EIO;
        }
    }
    if (format == "xml") out << xml.finish();
    // Said even when quiet: a script would otherwise lose records without a word.
    const size_t skipped = format == "xml" ? xml.skipped() : leftOut;
    const FileExportKind kind = format == "xml"    ? FileExportKind::Xml
                                : format == "marc" ? FileExportKind::Marc
                                                   : FileExportKind::MarcText;
    if (skipped > 0)
        std::fprintf(stderr, "%s: %s\n", kProgram,
                     recordsWrittenText(kind, total - skipped, skipped, leftOut).c_str());
    out.flush();
    return out ? 0 : errno ? errno : EIO;
}

