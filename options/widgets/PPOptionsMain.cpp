#include "options/widgets/PPOptionsMain.h"

#include <QMessageBox>
#include <QRegularExpressionValidator>

#include "settings/SettingsData.h"
#include "options/widgets/PPOptionsBrowse.h"
#include "ui_PPOptionsMain.h"

PPOptionsMain::PPOptionsMain(const SettingsData& s, QWidget* parent)
    : PPOptionsPage(QStringLiteral("Main"), parent), ui_(std::make_unique<Ui::PPOptionsMain>()) {
    ui_->setupUi(this);
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (QLineEdit* edit : {ui_->maxPerSearch, ui_->maxPerTarget, ui_->maxConnections})
        edit->setValidator(digits);
    ui_->maxPerSearch->setText(QString::number(s.MaxRecPerSearch));
    ui_->maxPerTarget->setText(QString::number(s.MaxRecPerTarget));
    ui_->maxConnections->setText(QString::number(s.MaxConnections));
    ui_->targetFile->setText(QString::fromStdString(s.TargetFile));
    // A new target list may be named here; it is written when the sheet closes.
    connectBrowse(ui_->browseTargetFile, ui_->targetFile, kTargetFileFilter, true);
    ui_->sruMappingFile->setText(QString::fromStdString(s.SRUMappingFile));
    connectBrowse(ui_->browseSruMappingFile, ui_->sruMappingFile, kCqlMappingFilter);
}

PPOptionsMain::~PPOptionsMain() = default;

bool PPOptionsMain::onLeaving() {
    for (QLineEdit* edit : {ui_->maxPerSearch, ui_->maxPerTarget, ui_->maxConnections}) {
        bool ok = false;
        edit->text().toInt(&ok);
        if (ok) continue;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"),
                        QStringLiteral("Please enter an integer."), QMessageBox::Ok, window());
        box.exec();
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    return true;
}

void PPOptionsMain::store(SettingsData& s) const {
    // Only reached after onLeaving accepted every number.
    s.MaxRecPerSearch = ui_->maxPerSearch->text().toInt();
    s.MaxRecPerTarget = ui_->maxPerTarget->text().toInt();
    s.MaxConnections = ui_->maxConnections->text().toInt();
    s.TargetFile = ui_->targetFile->text().toStdString();
    s.SRUMappingFile = ui_->sruMappingFile->text().trimmed().toStdString();
}
