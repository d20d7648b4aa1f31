#include "export/MarcExportForm.h"

#include <string_view>
#include <utility>

#include "engine/CleanIso2709.h"
#include "engine/MarcForms.h"
#include "engine/MarcReader.h"
#include "engine/Record.h"
#include "settings/SettingsData.h"

namespace {

std::string blanksAsBackslashes(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ' ') c = '\\';
    return out;
}

void appendData(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (c == '$')
            out += "{dollar}";
        else if (c == '{')
            out += "{lcub}";
        else if (c == '}')
            out += "{rcub}";
        else
            out.push_back(c);
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
        text += "=LDR  " + blanksAsBackslashes(leader.bytes()) + "\n";
    }
    void onControlField(std::string_view tag, const MarcField& field) override {
        text += "=" + std::string(tag) + "  " + blanksAsBackslashes(content(field)) + "\n";
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        const std::string_view bytes = content(field);
        text += "=" + std::string(tag) + "  " + blanksAsBackslashes(bytes.substr(0, 2));
        std::string_view rest = bytes.substr(std::min<size_t>(2, bytes.size()));
        for (size_t at = rest.find(kMarcSubfieldDelimiter); at != std::string_view::npos;
             at = rest.find(kMarcSubfieldDelimiter)) {
            rest = rest.substr(at + 1);
            const std::string_view subfield = rest.substr(0, rest.find(kMarcSubfieldDelimiter));
            if (subfield.empty()) continue;
            text += '$';
            text += subfield[0];
            appendData(text, subfield.substr(1));
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
