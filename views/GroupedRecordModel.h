// The record list grouped into copies of one book: a row per group showing
// its best copy, with the copies of a group of several as its children.
#pragma once

#include <QAbstractItemModel>
#include <string>
#include <vector>

#include "display/ListColumns.h"

class CopyGrouping;
class ResultStore;

class GroupedRecordModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit GroupedRecordModel(QObject* parent = nullptr);

    // Catches grouping up with the store and lists its groups: of all targets
    // (targetId -1, with a Database column) or only the copies of one target.
    // Groups come in order of their first record.
    void refill(const ResultStore& store, CopyGrouping& grouping, int32_t targetId);
    void clear();

    struct Line {
        int32_t number = 0;
        std::vector<std::string> cells;  // UTF-8, as shown
        uint32_t quality = 0;            // the Marks cell's qualityMarksRank
        uint32_t replacements = 0;       // marked in the first column
    };
    struct Group {
        std::vector<Line> copies;  // the best first; one for a record alone
        std::string targets;       // the group row's Database cell, when listed
    };
    // Any thread that owns grouping: the groups refill lists, then sorted by
    // a column when one is given, for a list too long to build on the UI
    // thread. setGroups shows them and hands back the groups it replaced.
    static std::vector<Group> listedGroups(const ResultStore& store, CopyGrouping& grouping,
                                           int32_t targetId, int sortColumn = -1,
                                           bool ascending = true);
    std::vector<Group> setGroups(std::vector<Group> groups, bool allTargets);
    static void sortGroupsOf(std::vector<Group>& groups, int column, bool ascending);
    // Stable sort of the groups by a column of their best copy.
    void sortGroups(int column, bool ascending);

    const std::vector<ListColumn>& columns() const { return columns_; }
    // A group row's best copy, a child row's copy; -1 for none.
    int32_t recordNumber(const QModelIndex& index) const;
    // The row of a group (child -1) or of a copy.
    QModelIndex indexOfRecord(int32_t number) const;
    // Every record listed: each group's copies, best first, groups in order.
    std::vector<int32_t> listedRecords() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Line* lineAt(const QModelIndex& index) const;
    void indexGroups();

    std::vector<ListColumn> columns_;
    std::vector<Group> groups_;
    // Each listed record's group, by number: finding a record's row is then
    // no search through the groups, even with thousands selected.
    std::vector<int32_t> groupOf_;
};
