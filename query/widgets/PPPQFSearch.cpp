#include "query/widgets/PPPQFSearch.h"

#include "query/QueryComposer.h"
#include "query/widgets/AttributeEditor.h"
#include "ui_PPPQFSearch.h"

PPPQFSearch::PPPQFSearch(DocumentCore& doc, QWidget* parent)
    : SearchPage(QStringLiteral("Search::Prefix Query Format"), doc, parent),
      ui_(std::make_unique<Ui::PPPQFSearch>()) {
    ui_->setupUi(this);
    ui_->operatorList->setCurrentText(QStringLiteral("@and"));
    connect(ui_->add, &QPushButton::clicked, this, &PPPQFSearch::addTerm);
    connect(ui_->edit, &QPushButton::clicked, this, &PPPQFSearch::editAttributes);
}

PPPQFSearch::~PPPQFSearch() = default;

std::optional<std::string> PPPQFSearch::composedQuery() {
    return ui_->query->toPlainText().toStdString();
}

void PPPQFSearch::addTerm() {
    const std::string query = appendPqfTerm(
        ui_->term->text().toStdString(), ui_->attributes->text().toStdString(),
        ui_->operatorList->currentText().toStdString(), ui_->query->toPlainText().toStdString());
    ui_->query->setPlainText(QString::fromStdString(query));
}

void PPPQFSearch::editAttributes() {
    SearchAttribute result;
    if (AttributeEditor::run({}, {}, AttributeEditor::Mode::AttributesOnly, result, window()))
        ui_->attributes->setText(QString::fromStdString(result.pqf));
}
