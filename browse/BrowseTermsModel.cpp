#include "browse/BrowseTermsModel.h"

BrowseTermsModel::BrowseTermsModel(std::vector<std::string> targetNames, QObject* parent)
    : QAbstractTableModel(parent), names_(std::move(targetNames)), failures_(names_.size()) {}

void BrowseTermsModel::setAnswers(const std::vector<ScanAnswer>& answers) {
    beginResetModel();
    rows_ = mergeScanAnswers(answers);
    for (size_t i = 0; i < failures_.size(); ++i)
        failures_[i] = i < answers.size() ? answers[i].failure : std::string();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

const ScanRow* BrowseTermsModel::row(int r) const {
    return r >= 0 && r < rowCount() ? &rows_[static_cast<size_t>(r)] : nullptr;
}

int BrowseTermsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BrowseTermsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size()) + 1;
}

QVariant BrowseTermsModel::data(const QModelIndex& index, int role) const {
    const ScanRow* r = row(index.row());
    if (!r || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)) return {};
    if (index.column() == 0)
        return role == Qt::DisplayRole ? QVariant(QString::fromStdString(r->display)) : QVariant();
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    const size_t target = static_cast<size_t>(index.column() - 1);
    if (target >= r->counts.size() || !r->listed[target] || r->counts[target] < 0) return QString();
    return QString::number(r->counts[target]);
}

QVariant BrowseTermsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (section == 0) return role == Qt::DisplayRole ? QVariant(QStringLiteral("Term")) : QVariant();
    const size_t target = static_cast<size_t>(section - 1);
    if (target >= names_.size()) return {};
    // A long reason does not fit the header.
    if (role == Qt::ToolTipRole) return QString::fromStdString(failures_[target]);
    if (role != Qt::DisplayRole) return {};
    QString text = QString::fromStdString(names_[target]);
    if (!failures_[target].empty()) text += QLatin1Char('\n') + QString::fromStdString(failures_[target]);
    return text;
}
