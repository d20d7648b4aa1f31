// The record list grouped into copies of one book (View > Group Copies): a
// row per group, expandable to its copies. A group row stands for its best
// copy: the record view, Copy and the export commands take that one.
#pragma once

#include <QTreeView>
#include <cstdint>
#include <future>
#include <set>
#include <vector>

#include "document/DocumentView.h"
#include "views/GroupedListBuild.h"

class ViewDocument;
class GroupedRecordModel;
class RefillPacing;

class MGroupedListView : public QTreeView, public DocumentView {
    Q_OBJECT
public:
    explicit MGroupedListView(ViewDocument& doc, QWidget* parent = nullptr);
    ~MGroupedListView() override;

    void onUpdate(DocumentView* sender, int32_t hint, const SearchEventHint* event) override;

    GroupedRecordModel& model() const { return *model_; }
    // Groups the store's records again for the selected target, keeping the
    // selected records that are still listed and the groups expanded; tells
    // the document what it lists. Built off the UI thread when the store is
    // long, the list saying so meanwhile.
    void refill();
    bool building() const { return build_.running(); }
    // The selected rows' records: a group row's best copy, a child's copy.
    std::vector<int32_t> selectedRecords() const;
    // Puts the selected rows on the clipboard as tab-separated text.
    void copySelectedRows();
    // The user's changes to the groups, held until the next search.
    void takeSelectedOutOfGroups();
    void joinSelectedIntoOneGroup();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Columns as wide as their content, Title taking what is left.
    void fitColumns();
    void builtInBackground(uint64_t search);
    // Shows the groups, keeping the user's choice; hands back those replaced.
    std::vector<GroupedRecordModel::Group> showGroups(std::vector<GroupedRecordModel::Group> groups,
                                                      bool allTargets);
    void freeInBackground(std::vector<GroupedRecordModel::Group> groups, CopyGrouping grouping);
    void groupExpanded(const QModelIndex& group, bool expanded);
    void headerClicked(int column);
    void currentChosen();
    void publishSelection();
    QModelIndexList selectedRowsInOrder() const;

    ViewDocument& doc_;
    GroupedRecordModel* model_;
    RefillPacing* pacing_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    // Records of the groups the user expanded: a rebuilt list expands the
    // groups they are in again.
    std::set<int32_t> expanded_;
    // At most one background build at a time; another asked for meanwhile
    // follows it. A build of an earlier search is dropped.
    GroupedListBuild build_;
    bool buildAgain_ = false;
    uint64_t search_ = 0;
    // Freeing a long list's groups takes as long as a stall.
    std::future<void> freeing_;
};
