// The list of retrieved records: title, author, database and date, sortable
// by any column. The current row's record is shown in the record view; the
// selected rows (Shift, Ctrl, Ctrl+A) are what the export commands act on.
#pragma once

#include <QTableView>
#include <cstdint>
#include <future>
#include <vector>

#include "document/DocumentView.h"
#include "copies/MarksCache.h"
#include "views/RecordListModel.h"

class QAction;
class RefillPacing;
class ViewDocument;

class MRecordListView : public QTableView, public DocumentView {
    Q_OBJECT
public:
    explicit MRecordListView(ViewDocument& doc, QWidget* parent = nullptr);
    ~MRecordListView() override;

    void onUpdate(DocumentView* sender, int32_t hint, const SearchEventHint* event) override;

    RecordListModel& model() const { return *model_; }
    // Lists the store's records again for the selected target, keeping the
    // selected records that are still listed.
    void refill();
    // The same, built off the UI thread when the store is long.
    void refillSoon();
    // Lists every target's records with these selected, the first current
    // and shown in the record view.
    void showRecords(const std::vector<int32_t>& numbers);
    // Puts the selected rows on the clipboard as tab-separated text with a
    // header line of the columns shown.
    void copySelectedRows();
    // Adds or removes the Marks column (the header's context menu and
    // View > Show Quality Marks Column); the choice is kept in the settings.
    void showMarksColumn(bool shown);
    QAction* marksColumnAction() const { return marksAction_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void builtInBackground(uint64_t generation);
    void showRows(std::vector<RecordListModel::Row> rows, bool allTargets,
                  bool freeInBackground = false);
    void applyColumnWidths();
    void headerClicked(int column);
    void rowChosen(bool currentChanged);
    std::vector<int> selectedRowsInOrder() const;
    // Selects the rows of these records and makes current's row current,
    // without telling anyone; then tells the document what the list holds.
    void selectRecords(const std::vector<int32_t>& numbers, int32_t current);
    void publishRows();
    void publishSelection();

    MarksCache* marksIfShown() { return model_->marksShown() ? &marks_ : nullptr; }

    ViewDocument& doc_;
    RecordListModel* model_;
    QAction* marksAction_;
    MarksCache marks_;
    int sortColumn_ = 0;
    bool sortAscending_ = true;
    // The record a change of the current row chose during the current mouse press.
    int32_t chosenByCurrent_ = -1;
    // At most one background refill at a time; another asked for meanwhile
    // follows it. A result older than the list's last change is dropped.
    std::future<std::vector<RecordListModel::Row>> building_;
    bool buildAgain_ = false;
    uint64_t generation_ = 0;
    RefillPacing* pacing_;
    // Freeing a long list's rows takes as long as a stall.
    std::future<void> freeing_;
};
