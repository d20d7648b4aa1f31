// The record list's rows: brief fields copied out of the store once per
// refill, one row per record, no item object per cell.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "display/CellCompare.h"
#include "display/ListColumns.h"

class MarksCache;
class ResultStore;

class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordListModel(QObject* parent = nullptr);

    // Removes every row and column, then sets the columns the layout names.
    void setColumns(const std::string& layout);
    const std::vector<ListColumn>& columns() const { return columns_; }
    // The Marks column, which the user adds: at the end of the columns, now
    // and in every layout set later. Off at first. Rows listed without marks
    // show it empty.
    void setMarksShown(bool shown);
    bool marksShown() const { return marksShown_; }
    int marksColumn() const;  // -1 when not shown

    // Removes the rows and columns and lists the store's records: all of them
    // with a Database column (targetId -1), or those of one target. Holds the
    // store's lock only while copying the brief fields. Rows come newest first,
    // then sorted by the first column, ascending.
    void refill(const ResultStore& store, int32_t targetId);

    struct Row {
        int32_t number = 0;
        // UTF-8, as shown; a Marks cell is followed by the marks in words,
        // for its tool tip.
        std::vector<std::string> cells;
        uint32_t replacements = 0;  // marked in the first column
        bool edited = false;        // corrected in the editor; marked there too
        uint32_t quality = 0;       // with a Marks cell: its qualityMarksRank
    };
    // Any thread: the rows refill lists, for a list too long to build on the
    // UI thread; setRows then shows them and hands back the rows it replaced.
    // With marks, each row ends with a Marks cell.
    static std::vector<Row> listedRows(const ResultStore& store, int32_t targetId,
                                       MarksCache* marks = nullptr);
    std::vector<Row> setRows(std::vector<Row> rows, bool allTargets);

    // Stable sort of the rows by one column with the list's cell comparison;
    // by the Marks column the best copy comes first when ascending.
    void sortRows(int column, bool ascending);

    int32_t recordNumber(int row) const;
    int rowOfRecord(int32_t number) const;  // -1 when not listed

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The date reading of the user's locale, used by the sort.
    static bool parseLocaleDate(const std::string& cell, double& value);

private:
    static void sortRowsOf(std::vector<Row>& rows, int column, bool ascending);
    static void sortRowsByQuality(std::vector<Row>& rows, bool ascending);
    std::vector<ListColumn> layoutColumns(const std::string& layout) const;

    bool marksShown_ = false;
    std::vector<ListColumn> columns_;
    std::vector<Row> rows_;
};
