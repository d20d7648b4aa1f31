#include "query/widgets/PPAdvSearch.h"

#include "query/QueryComposer.h"
#include "query/SearchRowDefaults.h"
#include "query/widgets/AttributeButton.h"
#include "ui_PPAdvSearch.h"

PPAdvSearch::PPAdvSearch(DocumentCore& doc, const std::array<SearchAttribute, 4>& rows,
                         QWidget* parent)
    : SearchPage(QStringLiteral("Search::Advanced Search"), doc, parent),
      ui_(std::make_unique<Ui::PPAdvSearch>()),
      rows_(rows) {
    ui_->setupUi(this);
    for (int i = 0; i < 4; ++i)
        attachAttributeEditor(attributeButton(i), rows_[static_cast<size_t>(i)],
                              advancedRowDefaults()[static_cast<size_t>(i)], term(i));
}

PPAdvSearch::~PPAdvSearch() = default;

QLineEdit* PPAdvSearch::term(int row) const {
    return std::array<QLineEdit*, 4>{ui_->term1, ui_->term2, ui_->term3, ui_->term4}.at(
        static_cast<size_t>(row));
}

QComboBox* PPAdvSearch::operatorList(int row) const {
    return std::array<QComboBox*, 4>{nullptr, ui_->operator2, ui_->operator3, ui_->operator4}.at(
        static_cast<size_t>(row));
}

QPushButton* PPAdvSearch::attributeButton(int row) const {
    return std::array<QPushButton*, 4>{ui_->type1, ui_->type2, ui_->type3, ui_->type4}.at(
        static_cast<size_t>(row));
}

std::optional<std::string> PPAdvSearch::composedQuery() {
    std::vector<AdvancedRow> rows;
    for (int i = 0; i < 4; ++i) {
        const QComboBox* op = operatorList(i);
        rows.push_back({op ? op->currentText().toStdString() : std::string(),
                        rows_[static_cast<size_t>(i)].pqf, term(i)->text().toStdString()});
    }
    return composeAdvancedQuery(rows);
}
