#include "views/RecordListModel.h"

#include <QApplication>
#include <QDate>
#include <QIcon>
#include <QLocale>
#include <QStyle>
#include <unordered_map>

#include "display/MarksLegend.h"
#include "copies/MarksCache.h"
#include "records/ResultStore.h"
#include "marc/ScreenText.h"

namespace {

// Merge sort that stays within bounds whatever the comparison answers: the
// cell comparison reads both cells the way the first one looks, so it is not
// always a strict weak order, which std::sort and std::stable_sort assume.
template <typename T, typename Less>
void robustStableSort(std::vector<T>& items, Less less) {
    std::vector<T> buffer(items.size());
    for (size_t width = 1; width < items.size(); width *= 2) {
        for (size_t lo = 0; lo < items.size(); lo += 2 * width) {
            const size_t mid = std::min(lo + width, items.size());
            const size_t hi = std::min(lo + 2 * width, items.size());
            size_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi)
                buffer[out++] = less(items[b], items[a]) ? items[b++] : items[a++];
            while (a < mid) buffer[out++] = items[a++];
            while (b < hi) buffer[out++] = items[b++];
        }
        items.swap(buffer);
    }
}

Qt::Alignment qtAlignment(int alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight | Qt::AlignVCenter;
        case 2:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

const ListColumn kMarksColumn{"Marks", 220, 0};

}  // namespace

RecordListModel::RecordListModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordListModel::setColumns(const std::string& layout) {
    beginResetModel();
    rows_.clear();
    columns_ = layoutColumns(layout);
    endResetModel();
}

std::vector<ListColumn> RecordListModel::layoutColumns(const std::string& layout) const {
    std::vector<ListColumn> columns = parseListColumns(layout);
    if (marksShown_) columns.push_back(kMarksColumn);
    return columns;
}

void RecordListModel::setMarksShown(bool shown) {
    if (shown == marksShown_) return;
    // Inserting and removing a column keeps the selection, which a reset would not.
    const int at = shown ? static_cast<int>(columns_.size()) : marksColumn();
    if (shown) {
        beginInsertColumns(QModelIndex(), at, at);
        columns_.push_back(kMarksColumn);
    } else {
        beginRemoveColumns(QModelIndex(), at, at);
        columns_.pop_back();
    }
    marksShown_ = shown;
    if (shown)
        endInsertColumns();
    else
        endRemoveColumns();
}

int RecordListModel::marksColumn() const {
    return marksShown_ && !columns_.empty() ? static_cast<int>(columns_.size()) - 1 : -1;
}

void RecordListModel::refill(const ResultStore& store, int32_t targetId) {
    setRows(listedRows(store, targetId), targetId == -1);
}

std::vector<RecordListModel::Row> RecordListModel::listedRows(const ResultStore& store,
                                                              int32_t targetId, MarksCache* marks) {
    const bool allTargets = targetId == -1;
    std::vector<Row> rows;
    rows.reserve(store.count());
    store.visitBriefFields([&](const BriefFields& record) {
        if (!allTargets && record.targetId != targetId) return;
        Row row;
        row.number = record.number;
        row.replacements = record.replacements;
        row.edited = store.isEdited(record.number);  // the store's lock is re-entrant
        if (allTargets)
            row.cells = {std::string(record.title), std::string(record.author),
                         std::string(record.targetName), std::string(record.date)};
        else
            row.cells = {std::string(record.title), std::string(record.author),
                         std::string(record.date)};
        rows.push_back(std::move(row));
    });
    // Converted outside the lock: workers wait for it only while copying.
    for (Row& row : rows)
        for (std::string& cell : row.cells) cell = screenText(cell);
    if (marks) {
        marks->catchUp(store);
        for (Row& row : rows) {
            const QualityMarks m = marks->marks(row.number);
            row.cells.push_back(qualityMarksText(m));
            row.cells.push_back(qualityMarksWords(m));
            row.quality = qualityMarksRank(m);
        }
    }
    // Each row went in as the list's first row.
    std::reverse(rows.begin(), rows.end());
    sortRowsOf(rows, 0, true);
    return rows;
}

std::vector<RecordListModel::Row> RecordListModel::setRows(std::vector<Row> rows, bool allTargets) {
    beginResetModel();
    columns_ = layoutColumns(allTargets ? kAllTargetsColumns : kOneTargetColumns);
    rows_.swap(rows);
    endResetModel();
    return rows;
}

void RecordListModel::sortRows(int column, bool ascending) {
    if (column < 0 || column >= static_cast<int>(columns_.size()) || rows_.size() < 2) return;
    std::vector<Row> sorted = std::move(rows_);
    if (column == marksColumn())
        sortRowsByQuality(sorted, ascending);
    else
        sortRowsOf(sorted, column, ascending);
    emit layoutAboutToBeChanged();
    rows_ = std::move(sorted);
    emit layoutChanged();
}

void RecordListModel::sortRowsOf(std::vector<Row>& rows, int column, bool ascending) {
    if (column < 0 || rows.size() < 2) return;
    // Each row's key is worked out once, and each distinct text is read as a
    // date once (a list holds few distinct dates, and the locale's reading is
    // slow); the sort then moves row numbers, not keys.
    std::unordered_map<std::string, std::pair<bool, double>> dates;
    const DateParser parseDate = [&dates](const std::string& cell, double& value) {
        auto found = dates.find(cell);
        if (found == dates.end()) {
            double parsed = 0;
            const bool isDate = parseLocaleDate(cell, parsed);
            found = dates.emplace(cell, std::make_pair(isDate, parsed)).first;
        }
        value = found->second.second;
        return found->second.first;
    };
    std::vector<CellKey> keys(rows.size());
    std::vector<uint32_t> order(rows.size());
    const std::string empty;
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string>& cells = rows[i].cells;
        keys[i] =
            makeCellKey(column < static_cast<int>(cells.size()) ? cells[column] : empty, parseDate);
        order[i] = static_cast<uint32_t>(i);
    }
    robustStableSort(order, [&keys, ascending](uint32_t a, uint32_t b) {
        return ascending ? compareCellKeys(keys[a], keys[b]) < 0
                         : compareCellKeys(keys[b], keys[a]) < 0;
    });
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (uint32_t i : order) sorted.push_back(std::move(rows[i]));
    rows.swap(sorted);
}

void RecordListModel::sortRowsByQuality(std::vector<Row>& rows, bool ascending) {
    std::vector<uint32_t> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) order[i] = static_cast<uint32_t>(i);
    robustStableSort(order, [&rows, ascending](uint32_t a, uint32_t b) {
        return ascending ? rows[a].quality > rows[b].quality : rows[b].quality > rows[a].quality;
    });
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (uint32_t i : order) sorted.push_back(std::move(rows[i]));
    rows.swap(sorted);
}

int32_t RecordListModel::recordNumber(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].number : -1;
}

int RecordListModel::rowOfRecord(int32_t number) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].number == number) return static_cast<int>(i);
    return -1;
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return QVariant();
    const Row& row = rows_[index.row()];
    const bool marked = row.replacements > 0 && index.column() == 0;
    const bool edited = row.edited && index.column() == 0;
    if ((role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) &&
        index.column() == marksColumn()) {
        const size_t words = static_cast<size_t>(index.column()) + 1;
        return words < row.cells.size() ? QString::fromStdString(row.cells[words]) : QString();
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        if (index.column() >= static_cast<int>(row.cells.size())) return QString();
        QString text = QString::fromStdString(row.cells[index.column()]);
        if (marked && role == Qt::ToolTipRole)
            text += row.replacements == 1
                        ? QStringLiteral("\n1 replacement character")
                        : QStringLiteral("\n%1 replacement characters").arg(row.replacements);
        if (edited && role == Qt::ToolTipRole) text += QStringLiteral("\nEdited");
        return text;
    }
    // A correction is saved in UTF-8, so an edited record has no replacement mark.
    if (edited && role == Qt::DecorationRole)
        return QIcon::fromTheme(QStringLiteral("document-edit"),
                                QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    if (marked && role == Qt::DecorationRole)
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    if (role == Qt::TextAlignmentRole && index.column() < static_cast<int>(columns_.size()))
        return QVariant::fromValue(qtAlignment(columns_[index.column()].alignment));
    if (role == Qt::UserRole) return row.number;
    return QVariant();
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return QVariant();
    if (role == Qt::DisplayRole) return QString::fromStdString(columns_[section].title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(qtAlignment(columns_[section].alignment));
    return QVariant();
}

bool RecordListModel::parseLocaleDate(const std::string& cell, double& value) {
    static const QLocale locale = QLocale::system();
    const QString text = QString::fromStdString(cell);
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(text, format);
        if (date.isValid()) {
            value = static_cast<double>(date.toJulianDay());
            return true;
        }
    }
    const QDate iso = QDate::fromString(text, Qt::ISODate);
    if (iso.isValid()) value = static_cast<double>(iso.toJulianDay());
    return iso.isValid();
}
