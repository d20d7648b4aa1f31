// The record list grouped into copies of one book (View > Group Copies): a
// row per group, expandable to its copies. A group row stands for its best
// copy: the record view, Copy and the export commands take that one.
#pragma once

#include <QTreeView>
#include <cstdint>
#include <vector>

#include "document/DocumentView.h"

class ViewDocument;
class GroupedRecordModel;

class MGroupedListView : public QTreeView, public DocumentView {
    Q_OBJECT
public:
    explicit MGroupedListView(ViewDocument& doc, QWidget* parent = nullptr);
    ~MGroupedListView() override;

    void onUpdate(DocumentView* sender, int32_t hint, const SearchEventHint* event) override;

    GroupedRecordModel& model() const { return *model_; }
    // Groups the store's records again for the selected target, keeping the
    // selected records that are still listed; tells the document what it lists.
    void refill();
    // The selected rows' records: a group row's best copy, a child's copy.
    std::vector<int32_t> selectedRecords() const;
    // Puts the selected rows on the clipboard as tab-separated text.
    void copySelectedRows();
    // The user's changes to the groups, held until the next search.
    void takeSelectedOutOfGroups();
    void joinSelectedIntoOneGroup();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void headerClicked(int column);
    void currentChosen();
    void publishSelection();
    QModelIndexList selectedRowsInOrder() const;

    ViewDocument& doc_;
    GroupedRecordModel* model_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};
