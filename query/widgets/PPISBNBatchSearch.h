// The ISBN/ISSN batch page ("Search::ISBN/ISSN Batch"): numbers typed one by
// one or read from a file; at OK, when it holds any, the search becomes one
// query per number in the order they were added. UI thread only.
#pragma once

#include <memory>

#include "query/BatchNumbers.h"
#include "query/widgets/SearchPage.h"

namespace Ui {
class PPISBNBatchSearch;
}

class PPISBNBatchSearch : public SearchPage {
    Q_OBJECT
public:
    explicit PPISBNBatchSearch(DocumentCore& doc, QWidget* parent = nullptr);
    ~PPISBNBatchSearch() override;

    // Fills the document's batch list and sets its batch flag; an empty list
    // leaves the other pages' query in force.
    void onConfirmed() override;

    // Checks and adds text; a rejected or listed number gets its message box.
    void addBatchNumber(const QString& text);
    // Adds every line of the file; the lines not added are told in one message
    // box, and those refused stay in the list, greyed, with their reason. A
    // file that cannot be opened is ignored.
    void loadFile(const QString& path);
    const BatchNumberList& numbers() const { return numbers_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addTyped();
    void removeSelected();
    void chooseFile();
    void showList();

    std::unique_ptr<Ui::PPISBNBatchSearch> ui_;
    BatchNumberList numbers_;
};
