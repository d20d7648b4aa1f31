#include "export/FileExportText.h"

#include <cerrno>

#include "records/Record.h"

const std::string& fileExportText(const Record& record, FileExportKind kind) {
    switch (kind) {
        case FileExportKind::Marc:
            return record.rawData;
        case FileExportKind::Text:
            return record.renderedText;
        case FileExportKind::Xml:
        case FileExportKind::XslTransformation:
        case FileExportKind::MarcText:  // made by exportMarcText
            break;
    }
    return record.xmlText;
}

std::string fileExportBytes(const Record& record, FileExportKind kind,
                            const MarcExportOptions& options) {
    if (kind == FileExportKind::MarcText) return exportMarcText(record, options);
    if (record.kind != Marc || kind == FileExportKind::Text) return fileExportText(record, kind);
    return kind == FileExportKind::Marc ? exportIso2709(record, options)
                                        : exportMarcXml(record, options);
}

std::string fileErrorText(int errorNumber, const std::string& path) {
    switch (errorNumber) {
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return "Access to " + path + " was denied.";
        case ENOSPC:
        case EDQUOT:
            return "Disk full while accessing " + path + ".";
        case ENOENT:
        case ENOTDIR:
        case EISDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            return path + " contains an invalid path.";
        default:
            return "An error occurred while writing " + path + ".";
    }
}
