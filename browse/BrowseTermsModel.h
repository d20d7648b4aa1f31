// The terms of a browsed index as a table: the term, then its count at each
// target (blank where the target does not list it). A target that failed
// says why in its column's header.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "search/ScanTargets.h"

class BrowseTermsModel : public QAbstractTableModel {
public:
    explicit BrowseTermsModel(std::vector<std::string> targetNames, QObject* parent = nullptr);

    // answers: one per target, in the names' order.
    void setAnswers(const std::vector<ScanAnswer>& answers);
    const ScanRow* row(int r) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<std::string> names_;
    std::vector<std::string> failures_;
    std::vector<ScanRow> rows_;
};
