// A window document for the tests: plain settings (stylesheets from the source
// tree's data folder), targets added by hand, user messages collected instead
// of shown, and a bounded wait for a search to settle with every queued event
// handled.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "TestSettings.h"
#include "app/CqrnDoc.h"
#include "settings/SettingsData.h"

// searchSettings with the window tests' own defaults.
inline SettingsData guiSettings(int32_t maxPerTarget = 10, int32_t maxPerSearch = 1000) {
    return searchSettings(maxPerTarget, maxPerSearch, 4);
}

class GuiDocument {
public:
    explicit GuiDocument(const SettingsData& settings = guiSettings());
    ~GuiDocument();

    // Appends a target with the next id (active unless said otherwise).
    Target& addTarget(const std::string& name, const std::string& zurl, bool active = true,
                      const std::string& recsyntax = "USMARC", const std::string& elementSet = "F");
    Target& target(int32_t id);

    // Compiles pqf into the query and starts the search as a confirmed sheet does.
    void start(const std::string& pqf);
    // True once the search has ended and every event posted so far was handled.
    bool settle(int timeoutMs = 30000);

    CqrnDoc& doc() { return *doc_; }
    DocumentCore& core() { return doc_->core(); }
    QStringList messages;

private:
    std::unique_ptr<CqrnDoc> doc_;
};
