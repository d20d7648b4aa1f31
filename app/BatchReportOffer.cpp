#include "app/BatchReportOffer.h"

#include <QMessageBox>

QMessageBox* batchReportOffer(const QString& summary, QWidget* parent) {
    // Not modal: the user may go on with the list and open it later from View.
    auto* box = new QMessageBox(
        QMessageBox::Question, QStringLiteral("qrn"),
        QObject::tr("The batch search has ended. %1.\nShow the Batch Report?").arg(summary),
        QMessageBox::Yes | QMessageBox::No, parent);
    box->setObjectName(QStringLiteral("batchReportOffer"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    return box;
}
