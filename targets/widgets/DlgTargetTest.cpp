#include "targets/widgets/DlgTargetTest.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

DlgTargetTest::DlgTargetTest(const ProbeReport& report, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Test"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(QString::fromStdString(report.text), this);
    text->setObjectName(QStringLiteral("report"));
    text->setReadOnly(true);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    if (!report.schemas.empty()) {
        auto* label = new QLabel(QStringLiteral("Record &schemas"), this);
        schemas_ = new QListWidget(this);
        schemas_->setObjectName(QStringLiteral("schemas"));
        label->setBuddy(schemas_);
        for (const std::string& schema : report.schemas)
            schemas_->addItem(QString::fromStdString(schema));
        schemas_->setCurrentRow(0);
        layout->addWidget(label);
        layout->addWidget(schemas_);
        QPushButton* use = buttons->addButton(QStringLiteral("&Use Schema"),
                                              QDialogButtonBox::AcceptRole);
        use->setObjectName(QStringLiteral("useSchema"));
        connect(use, &QPushButton::clicked, this, [this] {
            if (schemas_->currentItem()) picked_ = schemas_->currentItem()->text();
        });
        connect(schemas_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            picked_ = item->text();
            accept();
        });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(480, report.schemas.empty() ? 220 : 380);
}
