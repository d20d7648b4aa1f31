#include "targets/widgets/DlgPortNumbers.h"

#include "ui_DlgPortNumbers.h"

DlgPortNumbers::DlgPortNumbers(const std::string& text, QWidget* parent)
    : QDialog(parent), text_(text), ui_(std::make_unique<Ui::DlgPortNumbers>()) {
    ui_->setupUi(this);
    // The field shows a carriage return as a glyph of its own.
    ui_->ports->setPlainText(QString::fromStdString(text).replace(QStringLiteral("\r\n"), "\n"));
}

DlgPortNumbers::~DlgPortNumbers() = default;
