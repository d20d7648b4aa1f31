// The question a finished batch search asks: show the Batch Report?
#pragma once

#include <QString>

class QMessageBox;
class QWidget;

// A box not yet shown, deleted on close; its Yes button means show.
QMessageBox* batchReportOffer(const QString& summary, QWidget* parent);
