// The list of retrieved records: title, author, database and date, sortable
// by any column. Selecting a row shows that record in the record view.
#pragma once

#include <QTableView>

#include "document/DocumentView.h"

class ViewDocument;
class RecordListModel;

class MRecordListView : public QTableView, public DocumentView {
    Q_OBJECT
public:
    explicit MRecordListView(ViewDocument& doc, QWidget* parent = nullptr);
    ~MRecordListView() override;

    void onUpdate(DocumentView* sender, int32_t hint, const SearchEventHint* event) override;

    RecordListModel& model() const { return *model_; }
    // Lists the store's records again for the selected target.
    void refill();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void applyColumnWidths();
    void headerClicked(int column);
    void rowChosen(bool selectionChanged);

    ViewDocument& doc_;
    RecordListModel* model_;
    int sortColumn_ = 0;
    bool sortAscending_ = true;
    // The record a selection change chose during the current mouse press.
    int32_t chosenBySelection_ = -1;
};
