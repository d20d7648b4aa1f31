#include "display/RecordPages.h"

#include <mutex>

#include "marc/MarcCharsetChoice.h"
#include "records/ResultStore.h"
#include "marc/ScreenText.h"
#include "marc/UnicodeNfc.h"
#include "targets/TargetList.h"
#include "targets/TargetXml.h"
#include "xml/XmlDocument.h"

namespace {

// Record and target texts are bytes from outside: the one place where they
// become page text.
std::string pageText(const std::string& bytes) { return escapeHtml(screenText(bytes)); }

// Fills html with the page of a record the caller owns, its forms complete.
void recordPage(const Record& record, const SettingsData& settings, std::string& html) {
    switch (record.kind) {
        case Xml: {
            const std::string* stylesheet = &settings.DefaultXMLXSL;
            if (record.xmlSchema == MarcXml) stylesheet = &settings.DisplayXML_MARCXML;
            if (record.xmlSchema == Mods) stylesheet = &settings.DisplayXML_MODS;
            if (record.xmlSchema == DublinCore) stylesheet = &settings.DisplayXML_DC;
            // The default stylesheet is tried even when empty, so the user
            // hears why such a record shows nothing.
            if (record.xmlSchema != OtherXml && stylesheet->empty()) return;
            transformXml(record.xmlText, *stylesheet, html);
            // An accent a record spelt as a character reference comes out apart.
            html = toNfcXml(html);
            return;
        }
        case Marc:
        case Opac:
            if (settings.MARCDisplayType == "XSL") {
                transformXml(record.xmlText, settings.MARCCustomXSL, html);
                return;
            }
            break;
        default:
            break;
    }
    html = preformattedPage(record.renderedText);
}

// A MARC record's page opens with the charset its text was read in, so the
// cataloguer sees why letters look as they do.
void addCharsetLine(const Record& record, std::string& html) {
    const std::string line = charsetLineText(record);
    if (line.empty()) return;
    const std::string color = record.replacements > 0 ? "color:red;" : "color:gray;";
    const std::string div = "<div style=\"" + color + "\">" + escapeHtml(line) + "</div>";
    const size_t body = html.find("<body");
    const size_t open = body == std::string::npos ? body : html.find('>', body);
    html.insert(open == std::string::npos ? 0 : open + 1, div);
}

std::string summaryPage(const Target& target) {
    // Each value is read once, so the page agrees with itself while the
    // target's task goes on writing.
    const TargetSearch& search = target.search;
    const int32_t state = search.state.load();
    const bool error = search.errorFlag.load();
    const int32_t hits = search.hitCount.load();
    const int32_t retrieved = search.retrievedCount.load();
    const int32_t skipped = search.skippedCount.load();
    const std::string lastError = search.lastError();
    const std::string note = search.note();
    const std::string id = std::to_string(target.id);

    std::string page =
        "<html><head><style> div.heading { font-size:200%; } </style></head>"
        "<body style=\"margin:0;\"><table width=\"100%\"><tr>"
        "<td style=\"background-color:silver;padding:5px;\">";
    page +=
        "<div class=\"heading\">" + pageText(target.name) + "</div></td></tr><tr><td><blockquote>";
    page += "<br />" + pageText(target.zurl);
    page += "<br />Result Count: " + std::to_string(hits);
    page += "<br />Records Returned: " + std::to_string(retrieved);
    if (skipped > 0) page += "<br />Diagnostic Records Skipped: " + std::to_string(skipped);
    if (!target.website.empty()) {
        const std::string website = pageText(target.website);
        // Double quotes: the record view decodes entities such as &amp; only there.
        page += "<br />Website: <a href=\"" + website + "\" target=\"_new\">" + website + "</a>";
    }
    for (size_t begin = 0, end; begin < note.size(); begin = end + 1) {
        end = note.find('\n', begin);
        if (end == std::string::npos) end = note.size();
        page += "<br />" + pageText(note.substr(begin, end - begin));
    }
    if (error && !lastError.empty())
        page +=
            "<br />Error Message: <span style=\"color:red;\">" + pageText(lastError) + "</span>";
    if (error) page += "<br /><br /><a href=\"retry:" + id + "\">Retry</a>";
    if (state == Finished && retrieved + skipped < hits)
        page += "<br /><br /><a href=\"resume:" + id + "\">Resume</a>";
    page += "</blockquote></td></tr></table></body></html>";
    return page;
}

}  // namespace

// The record view reads &apos; as well, so the target file's escaping serves.
std::string escapeHtml(const std::string& text) { return escapeXml(text); }

std::string preformattedPage(const std::string& text) {
    return "<html><head></head><body><pre>" + pageText(text) + "</pre></body></html>";
}

bool renderRecordHtml(const ResultStore& store, int32_t recordNumber, const SettingsData& settings,
                      std::string& html) {
    // Held through the transformation too: the page is made from the record as
    // stored, and workers adding records wait until it is done.
    std::lock_guard<std::recursive_mutex> guard(store.lock());
    Record record;
    if (!store.copyRecord(recordNumber, record)) return false;
    recordPage(record, settings, html);
    addCharsetLine(record, html);
    return true;
}

std::string charsetLineText(const Record& record) {
    CharsetChoice choice;
    if (record.kind != Marc || !unpackCharsetChoice(record.charsetChoice, choice)) return {};
    std::string line = "Character set: " + charsetChoiceText(choice);
    if (record.replacements == 1) line += "; 1 replacement character";
    if (record.replacements > 1)
        line += "; " + std::to_string(record.replacements) + " replacement characters";
    return line;
}

std::string renderTargetSummaryHtml(const TargetList& targets, int32_t targetId) {
    for (const Target& target : targets.targets)
        if (target.id == targetId) return summaryPage(target);
    return std::string();
}
