#include "views/GroupedRecordModel.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "display/CellCompare.h"
#include "display/MarksLegend.h"
#include "engine/CopyGrouping.h"
#include "engine/ResultStore.h"
#include "engine/ScreenText.h"

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
    endResetModel();
}

void GroupedRecordModel::refill(const ResultStore& store, CopyGrouping& grouping,
                                int32_t targetId) {
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
    // Brief fields of every listed record, copied under the lock in one go.
    std::unordered_map<int32_t, std::vector<std::string>> brief;
    brief.reserve(numbers.size());
    store.visitRecords(numbers.data(), numbers.size(), [&](const Record& r) {
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
        const std::string reason = group.members.size() > 1 ? groupReasonText(group.reasonKey) : "";
        for (int32_t n : group.members) {
            Line& line = g.copies.emplace_back();
            line.number = n;
            line.cells = std::move(brief[n]);
            for (std::string& cell : line.cells) cell = screenText(cell);
            line.cells.push_back(&line == &g.copies.front() ? copies : "");
            line.cells.push_back(&line == &g.copies.front() ? reason : "");
            line.cells.push_back(qualityMarksText(grouping.marks(n)));
            line.cells.push_back(qualityMarksWords(grouping.marks(n)));  // the Marks tool tip
        }
    }
    beginResetModel();
    columns_ = parseListColumns(allTargets ? kGroupedAllTargets : kGroupedOneTarget);
    groups_ = std::move(groups);
    endResetModel();
}

void GroupedRecordModel::sortGroups(int column, bool ascending) {
    if (column < 0 || column >= static_cast<int>(columns_.size()) || groups_.size() < 2) return;
    const DateParser noDates = [](const std::string&, double&) { return false; };
    std::vector<CellKey> keys;
    keys.reserve(groups_.size());
    for (const Group& g : groups_)
        keys.push_back(makeCellKey(g.copies.front().cells[column], noDates));
    std::vector<size_t> order(groups_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return ascending ? compareCellKeys(keys[a], keys[b]) < 0
                         : compareCellKeys(keys[b], keys[a]) < 0;
    });
    std::vector<Group> sorted;
    sorted.reserve(groups_.size());
    for (size_t i : order) sorted.push_back(std::move(groups_[i]));
    emit layoutAboutToBeChanged();
    groups_ = std::move(sorted);
    emit layoutChanged();
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
    for (size_t g = 0; g < groups_.size(); ++g)
        for (size_t i = 0; i < groups_[g].copies.size(); ++i)
            if (groups_[g].copies[i].number == number)
                return i == 0 ? index(static_cast<int>(g), 0)
                              : index(static_cast<int>(i), 0, index(static_cast<int>(g), 0));
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
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        if (index.column() >= static_cast<int>(line->cells.size())) return QString();
        return QString::fromStdString(line->cells[index.column()]);
    }
    if (role == Qt::UserRole) return line->number;
    return {};
}

QVariant GroupedRecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size()) || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(columns_[section].title);
}
