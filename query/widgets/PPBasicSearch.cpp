#include "query/widgets/PPBasicSearch.h"

#include "query/QueryComposer.h"
#include "query/SearchRowDefaults.h"
#include "query/widgets/AttributeButton.h"
#include "ui_PPBasicSearch.h"

PPBasicSearch::PPBasicSearch(DocumentCore& doc, const std::array<SearchAttribute, 2>& rows,
                             QWidget* parent)
    : SearchPage(QStringLiteral("Search"), doc, parent),
      ui_(std::make_unique<Ui::PPBasicSearch>()),
      rows_(rows) {
    ui_->setupUi(this);
    attachAttributeEditor(ui_->titleButton, rows_[0], basicRowDefaults()[0], ui_->titleTerm);
    attachAttributeEditor(ui_->authorButton, rows_[1], basicRowDefaults()[1], ui_->authorTerm);
}

PPBasicSearch::~PPBasicSearch() = default;

std::optional<std::string> PPBasicSearch::composedQuery() {
    return composeBasicQuery(ui_->titleTerm->text().toStdString(),
                             ui_->authorTerm->text().toStdString(), rows_[0], rows_[1]);
}
