#include "export/MarcExportForm.h"

#include <string_view>
#include <utility>

#include "marc/CleanIso2709.h"
#include "records/MarcForms.h"
#include "marc/MarcReader.h"
#include "records/Record.h"
#include "settings/SettingsData.h"

namespace {

// Blanks, which the form shows as "\", and what would end a line or read as
// markup are written as mnemonics, so the text reads back to the same bytes.
void appendEscaped(std::string& out, std::string_view text, bool blanksAsBackslashes) {
    static const char* const kHex = "0123456789ABCDEF";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '$') {
            out += "{dollar}";
        } else if (c == '{') {
            out += "{lcub}";
        } else if (c == '}') {
            out += "{rcub}";
        } else if (c == '\\' && blanksAsBackslashes) {
            out += "{bsol}";
        } else if (c == ' ' && blanksAsBackslashes) {
            out += '\\';
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "{x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
            out += '}';
        } else {
            out.push_back(c);
        }
    }
}

std::string_view content(const MarcField& field) {
    const std::string_view bytes = field.bytes();
    return bytes.substr(0, bytes.find(kMarcFieldTerminator));
}

// Reads a clean UTF-8 record: every subfield has its code, two indicators.
class MrkWriter : public MarcHandler {
public:
    std::string text;

    void onLeader(const MarcLeader& leader) override {
        text += "=LDR  ";
        appendEscaped(text, leader.bytes(), true);
        text += '\n';
    }
    void onControlField(std::string_view tag, const MarcField& field) override {
        text += "=" + std::string(tag) + "  ";
        appendEscaped(text, content(field), true);
        text += '\n';
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        const std::string_view bytes = content(field);
        text += "=" + std::string(tag) + "  ";
        appendEscaped(text, bytes.substr(0, 2), true);
        std::string_view rest = bytes.substr(std::min<size_t>(2, bytes.size()));
        // Text before the first delimiter is no subfield, but it is the record's.
        const size_t first = rest.find(kMarcSubfieldDelimiter);
        appendEscaped(text, rest.substr(0, first), false);
        for (size_t at = first; at != std::string_view::npos;
             at = rest.find(kMarcSubfieldDelimiter)) {
            rest = rest.substr(at + 1);
            const std::string_view subfield = rest.substr(0, rest.find(kMarcSubfieldDelimiter));
            if (subfield.empty()) continue;
            text += '$';
            appendEscaped(text, subfield.substr(0, 1), false);
            appendEscaped(text, subfield.substr(1), false);
        }
        text += '\n';
        return false;
    }
};

}  // namespace

MarcExportOptions marcExportOptions(const SettingsData& settings) {
    MarcExportOptions options;
    options.asUtf8 = settings.MarcExportEncoding == "utf-8";
    options.drop = MarcTagPatterns(settings.ExportDropTags);
    return options;
}

std::string exportIso2709(const Record& record, const MarcExportOptions& options) {
    if (record.kind != Marc) return std::string();
    if (options.asUtf8) return cleanIso2709(record.rawData, recordCharset(record), options.drop);
    if (options.drop.empty()) return record.rawData;
    return withoutFields(record.rawData, options.drop);
}

std::string exportMarcXml(const Record& record, const MarcExportOptions& options) {
    if (record.kind != Marc || options.drop.empty()) return record.xmlText;
    return marcToXml(cleanIso2709(record.rawData, recordCharset(record), options.drop),
                     MarcCharset::Utf8);
}

void applyMarcExportOptions(Record& record, const MarcExportOptions& options) {
    if (record.kind != Marc || options.asReceived()) return;
    record.xmlText = exportMarcXml(record, options);
    std::string bytes = exportIso2709(record, options);
    if (!bytes.empty()) record.rawData = std::move(bytes);
}

std::string exportMarcText(const Record& record, const MarcExportOptions& options) {
    if (record.kind != Marc) return std::string();
    return marcTextFromCleanIso2709(
        cleanIso2709(record.rawData, recordCharset(record), options.drop));
}

std::string marcTextFromCleanIso2709(std::string_view iso2709) {
    MrkWriter writer;
    MarcReader().read(iso2709.data(), iso2709.size(), writer);
    return writer.text;
}
