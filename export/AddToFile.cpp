#include "export/AddToFile.h"

#include <algorithm>
#include <cctype>

#include "records/Record.h"
#include "export/ManyRecordFile.h"

namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

size_t countLinesStarting(const std::string& text, const std::string& start) {
    size_t count = text.compare(0, start.size(), start) == 0 ? 1 : 0;
    for (size_t at = 0; (at = text.find("\n" + start, at)) != std::string::npos; ++at) ++count;
    return count;
}

AddedFile refused(const std::string& error) {
    AddedFile file;
    file.error = error;
    return file;
}

AddedFile addXml(const std::string& existing, const Record& record,
                 const MarcExportOptions& options) {
    // The old records are read and written again, so the file stays one collection.
    ManyRecordFile file(FileExportKind::Xml, options);
    if (!existing.empty()) {
        Record old;
        old.kind = Xml;
        old.xmlText = existing;
        file.add(old);
        if (file.marcXmlRecords() == 0 || file.hasOtherXml())
            return refused("The file is not a MARCXML collection; the record was not added.");
    }
    const size_t before = file.marcXmlRecords();
    file.add(record);
    if (file.marcXmlRecords() != before + 1 || file.hasOtherXml())
        return refused("The record has no MARCXML; it was not added.");
    AddedFile added;
    added.records = file.marcXmlRecords();
    added.bytes = file.finish();
    return added;
}

}  // namespace

FileExportKind addToFileKind(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (endsWith(lower, ".mrk")) return FileExportKind::MarcText;
    if (endsWith(lower, ".xml")) return FileExportKind::Xml;
    return FileExportKind::Marc;
}

AddedFile addRecordToFile(const std::string& existing, const Record& record, FileExportKind kind,
                          const MarcExportOptions& options) {
    if (kind == FileExportKind::Xml || kind == FileExportKind::XslTransformation)
        return addXml(existing, record, options);
    if (kind == FileExportKind::Marc && !existing.empty() && existing.back() != '\x1D')
        return refused("The file is not a MARC file; the record was not added.");
    if (kind == FileExportKind::MarcText && !existing.empty() &&
        existing.compare(0, 4, "=LDR") != 0)
        return refused("The file is not a MARC text file; the record was not added.");
    ManyRecordFile file(kind, options);
    file.add(record);
    std::string bytes = file.finish();
    if (bytes.empty()) return refused("The record is not MARC; it was not added.");
    AddedFile added;
    added.bytes = existing;
    if (kind == FileExportKind::MarcText && !existing.empty())
        added.bytes += endsWith(existing, "\n\n") ? "" : endsWith(existing, "\n") ? "\n" : "\n\n";
    added.bytes += bytes;
    added.records =
        kind == FileExportKind::Marc
            ? static_cast<size_t>(std::count(added.bytes.begin(), added.bytes.end(), '\x1D'))
            : countLinesStarting(added.bytes, "=LDR");
    return added;
}

std::string addedText(size_t added, const std::string& fileName, size_t inFile) {
    return "Added " + std::to_string(added) + (added == 1 ? " record" : " records") + " to " +
           fileName + ", " + std::to_string(inFile) + " in the file";
}
