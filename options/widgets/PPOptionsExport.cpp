#include "options/widgets/PPOptionsExport.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "settings/SettingsData.h"

PPOptionsExport::PPOptionsExport(const SettingsData& s, QWidget* parent)
    : PPOptionsPage(QStringLiteral("Export"), parent),
      encoding_(new QComboBox(this)),
      dropTags_(new QLineEdit(this)) {
    encoding_->setObjectName(QStringLiteral("marcEncoding"));
    encoding_->addItem(QStringLiteral("as received"), QStringLiteral("as-received"));
    encoding_->addItem(QStringLiteral("as UTF-8"), QStringLiteral("utf-8"));
    encoding_->setCurrentIndex(s.MarcExportEncoding == "utf-8" ? 1 : 0);
    dropTags_->setObjectName(QStringLiteral("dropTags"));
    dropTags_->setText(QString::fromStdString(s.ExportDropTags));
    dropTags_->setPlaceholderText(QStringLiteral("9XX 029 938"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&MARC records:"), encoding_);
    form->addRow(QStringLiteral("&Tags to drop:"), dropTags_);
    auto* note = new QLabel(
        QStringLiteral("Dropped from MARC, MARC text, MARCXML and database exports; X stands "
                       "for any digit. The record view still shows every field."),
        this);
    note->setObjectName(QStringLiteral("hint"));
    note->setWordWrap(true);
    form->addRow(note);
}

void PPOptionsExport::store(SettingsData& s) const {
    s.MarcExportEncoding = encoding_->currentData().toString().toStdString();
    s.ExportDropTags = dropTags_->text().trimmed().toStdString();
}
