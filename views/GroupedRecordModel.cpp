#include "views/GroupedRecordModel.h"

#include <algorithm>
#include <numeric>

#include <QApplication>
#include <QStyle>
#include <unordered_map>

#include "display/CellCompare.h"
#include "display/MarksLegend.h"
#include "copies/CopyGroupText.h"
#include "copies/GroupRowText.h"
#include "records/ResultStore.h"
#include "marc/ScreenText.h"

namespace {

const char* const kGroupedAllTargets =
    "Title, 260;Author, 130;Database, 90;Date, 60;Copies, 125;Reason, 150;Marks, 260; ";
const char* const kGroupedOneTarget =
    "Title, 280;Author, 130;Date, 60;Copies, 125;Reason, 150;Marks, 260; ";

}  // namespace

GroupedRecordModel::GroupedRecordModel(QObject* parent) : QAbstractItemModel(parent) {
    columns_ = parseListColumns(kGroupedAllTargets);
}

void GroupedRecordModel::clear() {
    beginResetModel();
    groups_.clear();
    groupOf_.clear();
    endResetModel();
}

void GroupedRecordModel::refill(const ResultStore& store, CopyGrouping& grouping,
                                int32_t targetId) {
    setGroups(listedGroups(store, grouping, targetId), targetId == -1);
}

std::vector<GroupedRecordModel::Group> GroupedRecordModel::listedGroups(const ResultStore& store,
                                                                        CopyGrouping& grouping,
                                                                        int32_t targetId,
                                                                        int sortColumn,
                                                                        bool ascending) {
    const bool allTargets = targetId == -1;
    grouping.catchUp(store);
    std::vector<CopyGroup> found = grouping.groups();
    std::vector<int32_t> numbers;
    for (CopyGroup& group : found) {
        if (!allTargets)
            group.members.erase(
                std::remove_if(group.members.begin(), group.members.end(),
                               [&](int32_t n) { return grouping.targetOf(n) != targetId; }),
                group.members.end());
        numbers.insert(numbers.end(), group.members.begin(), group.members.end());
    }
    // Brief fields of every listed record, copied under the lock a slice at
    // a time: the UI thread and the workers may be waiting for it.
    constexpr size_t kSlice = 2000;
    std::unordered_map<int32_t, std::vector<std::string>> brief;
    std::unordered_map<int32_t, uint32_t> replacements;
    brief.reserve(numbers.size());
    for (size_t from = 0; from < numbers.size(); from += kSlice)
        store.visitRecords(numbers.data() + from, std::min(kSlice, numbers.size() - from),
                           [&](const Record& r) {
                               if (r.replacements > 0) replacements[r.number] = r.replacements;
                               if (allTargets)
                                   brief[r.number] = {r.title, r.author, r.targetName, r.date};
                               else
                                   brief[r.number] = {r.title, r.author, r.date};
                           });
    std::vector<Group> groups;
    for (const CopyGroup& group : found) {
        if (group.members.empty()) continue;
        Group& g = groups.emplace_back();
        CopyGroup shown = group;
        shown.targets = 0;
        std::vector<int32_t> targets;
        for (int32_t n : group.members) targets.push_back(grouping.targetOf(n));
        std::sort(targets.begin(), targets.end());
        shown.targets =
            static_cast<int>(std::unique(targets.begin(), targets.end()) - targets.begin());
        const std::string copies = group.members.size() > 1 ? groupCopiesText(shown) : "";
        const std::string reason = group.members.size() > 1 ? groupReasonText(group) : "";
        for (int32_t n : group.members) {
            Line& line = g.copies.emplace_back();
            line.number = n;
            line.cells = std::move(brief[n]);
            for (std::string& cell : line.cells) cell = screenText(cell);
            line.cells.push_back(&line == &g.copies.front() ? copies : "");
            line.cells.push_back(&line == &g.copies.front() ? reason : "");
            line.cells.push_back(qualityMarksText(grouping.marks(n)));
            line.cells.push_back(qualityMarksWords(grouping.marks(n)));  // the Marks tool tip
            line.quality = qualityMarksRank(grouping.marks(n));
            const auto marked = replacements.find(n);
            if (marked != replacements.end()) line.replacements = marked->second;
        }
        if (allTargets && g.copies.size() > 1) {
            std::vector<std::string> names;
            for (const Line& line : g.copies) names.push_back(line.cells[2]);
            g.targets = groupTargetsText(names);
        }
    }
    sortGroupsOf(groups, sortColumn, ascending);
    return groups;
}

std::vector<GroupedRecordModel::Group> GroupedRecordModel::setGroups(std::vector<Group> groups,
                                                                     bool allTargets) {
    beginResetModel();
    columns_ = parseListColumns(allTargets ? kGroupedAllTargets : kGroupedOneTarget);
    groups_.swap(groups);
    indexGroups();
    endResetModel();
    return groups;
}

void GroupedRecordModel::sortGroups(int column, bool ascending) {
    if (column < 0 || column >= static_cast<int>(columns_.size()) || groups_.size() < 2) return;
    std::vector<Group> sorted = std::move(groups_);
    sortGroupsOf(sorted, column, ascending);
    emit layoutAboutToBeChanged();
    groups_ = std::move(sorted);
    indexGroups();
    emit layoutChanged();
}

void GroupedRecordModel::sortGroupsOf(std::vector<Group>& groups, int column, bool ascending) {
    if (column < 0 || groups.size() < 2) return;
    const DateParser noDates = [](const std::string&, double&) { return false; };
    const std::string empty;
    std::vector<CellKey> keys;
    keys.reserve(groups.size());
    for (const Group& g : groups) {
        const std::vector<std::string>& cells = g.copies.front().cells;
        keys.push_back(
            makeCellKey(column < static_cast<int>(cells.size()) ? cells[column] : empty, noDates));
    }
    std::vector<size_t> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    // The Marks column, before its tool tip, sorts the best copy first.
    const size_t cellCount = groups.front().copies.front().cells.size();
    if (static_cast<size_t>(column) + 2 == cellCount) {
        const auto quality = [&](size_t i) { return groups[i].copies.front().quality; };
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return ascending ? quality(a) > quality(b) : quality(b) > quality(a);
        });
    } else {
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return ascending ? compareCellKeys(keys[a], keys[b]) < 0
                             : compareCellKeys(keys[b], keys[a]) < 0;
        });
    }
    std::vector<Group> sorted;
    sorted.reserve(groups.size());
    for (size_t i : order) sorted.push_back(std::move(groups[i]));
    groups.swap(sorted);
}

void GroupedRecordModel::indexGroups() {
    groupOf_.clear();
    for (size_t g = 0; g < groups_.size(); ++g)
        for (const Line& line : groups_[g].copies) {
            if (line.number <= 0) continue;
            if (groupOf_.size() <= static_cast<size_t>(line.number))
                groupOf_.resize(static_cast<size_t>(line.number) + 1, -1);
            groupOf_[line.number] = static_cast<int32_t>(g);
        }
}

const GroupedRecordModel::Line* GroupedRecordModel::lineAt(const QModelIndex& index) const {
    if (!index.isValid()) return nullptr;
    if (index.internalId() == 0)
        return index.row() < static_cast<int>(groups_.size()) ? &groups_[index.row()].copies.front()
                                                              : nullptr;
    const size_t g = index.internalId() - 1;
    if (g >= groups_.size() || index.row() >= static_cast<int>(groups_[g].copies.size()))
        return nullptr;
    return &groups_[g].copies[index.row()];
}

int32_t GroupedRecordModel::recordNumber(const QModelIndex& index) const {
    const Line* line = lineAt(index);
    return line ? line->number : -1;
}

QModelIndex GroupedRecordModel::indexOfRecord(int32_t number) const {
    if (number <= 0 || static_cast<size_t>(number) >= groupOf_.size() || groupOf_[number] < 0)
        return {};
    const int g = groupOf_[number];
    const std::vector<Line>& copies = groups_[g].copies;
    for (size_t i = 0; i < copies.size(); ++i)
        if (copies[i].number == number)
            return i == 0 ? index(g, 0) : index(static_cast<int>(i), 0, index(g, 0));
    return {};
}

std::vector<int32_t> GroupedRecordModel::listedRecords() const {
    std::vector<int32_t> numbers;
    for (const Group& g : groups_)
        for (const Line& line : g.copies) numbers.push_back(line.number);
    return numbers;
}

QModelIndex GroupedRecordModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= static_cast<int>(columns_.size())) return {};
    if (!parent.isValid())
        return row < static_cast<int>(groups_.size()) ? createIndex(row, column, quintptr(0))
                                                      : QModelIndex();
    if (parent.internalId() != 0 || parent.row() >= static_cast<int>(groups_.size())) return {};
    const Group& g = groups_[parent.row()];
    if (g.copies.size() < 2 || row >= static_cast<int>(g.copies.size())) return {};
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex GroupedRecordModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr(0));
}

int GroupedRecordModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(groups_.size());
    if (parent.internalId() != 0 || parent.column() != 0 ||
        parent.row() >= static_cast<int>(groups_.size()))
        return 0;
    const size_t copies = groups_[parent.row()].copies.size();
    return copies > 1 ? static_cast<int>(copies) : 0;
}

int GroupedRecordModel::columnCount(const QModelIndex&) const {
    return static_cast<int>(columns_.size());
}

QVariant GroupedRecordModel::data(const QModelIndex& index, int role) const {
    const Line* line = lineAt(index);
    if (!line) return {};
    // The Marks column, the last, spelled out by the cell after it.
    const size_t words = columns_.size();
    if ((role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) &&
        index.column() + 1 == static_cast<int>(words) && words < line->cells.size())
        return QString::fromStdString(line->cells[words]);
    const bool groupRow = index.internalId() == 0;
    const bool marked = line->replacements > 0 && index.column() == 0;
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        if (index.column() >= static_cast<int>(line->cells.size())) return QString();
        const int copiesColumn = static_cast<int>(words) - 3;
        std::string text = line->cells[index.column()];
        // The group's own row says what the group is; its copies say which is best.
        if (index.column() == copiesColumn)
            text = copyLineCopiesText(groupRow, index.row() == 0, text);
        else if (index.column() == copiesColumn + 1 && !groupRow)
            text.clear();
        else if (groupRow && index.column() == 2 && !groups_[index.row()].targets.empty())
            text = groups_[index.row()].targets;
        QString shown = QString::fromStdString(text);
        if (marked && role == Qt::ToolTipRole)
            shown += line->replacements == 1
                         ? QStringLiteral("\n1 replacement character")
                         : QStringLiteral("\n%1 replacement characters").arg(line->replacements);
        return shown;
    }
    if (marked && role == Qt::DecorationRole)
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    if (role == Qt::UserRole) return line->number;
    return {};
}

Qt::ItemFlags GroupedRecordModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractItemModel::flags(index);
    // The tree then lays out a long list without asking each row whether
    // it was expanded.
    if (index.isValid() && (index.internalId() != 0 || rowCount(index.siblingAtColumn(0)) == 0))
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant GroupedRecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size()) || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(columns_[section].title);
}
