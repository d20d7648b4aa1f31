// The "Search" sheet: the basic, advanced, batch and Prefix Query Format pages
// (then the Databases page). The query pages fill the document's SearchQuery;
// the rows' captions and attribute strings go back to the settings only on OK.
// UI thread only.
#pragma once

#include "ui/PropertySheet.h"

class DocumentCore;
class PPAdvSearch;
class PPBasicSearch;
class PPISBNBatchSearch;
class PPPQFSearch;
struct SettingsData;

class SearchSheet : public PropertySheet {
    Q_OBJECT
public:
    // Builds the pages on copies of the twelve row settings and recounts the
    // active targets, on which OK depends.
    explicit SearchSheet(DocumentCore& doc, QWidget* parent = nullptr);

    // Copies the rows' captions and attribute strings into settings.
    void storeRows(SettingsData& settings) const;

    PPBasicSearch* basicPage() const { return basic_; }
    PPAdvSearch* advancedPage() const { return advanced_; }
    PPISBNBatchSearch* batchPage() const { return batch_; }
    PPPQFSearch* pqfPage() const { return pqf_; }

private:
    PPBasicSearch* basic_;
    PPAdvSearch* advanced_;
    PPISBNBatchSearch* batch_;
    PPPQFSearch* pqf_;
};

// The Search command's sheet: shows it modally; on OK copies the rows back into
// doc's settings (the caller saves them and starts the search) and returns true.
bool runSearchSheet(DocumentCore& doc, QWidget* parent);
