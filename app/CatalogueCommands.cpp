#include "app/CatalogueCommands.h"

#include "app/CqrnDoc.h"
#include "browse/MBrowseWindow.h"
#include "document/DocumentCore.h"
#include "send/widgets/SendToCatalogue.h"

void browseIndex(CqrnDoc& doc, QWidget* parent) {
    QObject::connect(MBrowseWindow::openFor(doc.core(), parent), &MBrowseWindow::searchRequested,
                     parent, [&doc](const QString& pqf) { doc.searchQuery(pqf.toStdString()); });
}

void sendSelectedToCatalogue(DocumentCore& doc, QWidget* parent) {
    sendToCatalogue(doc, doc.recordNumbers(RecordScope::Selection), parent);
}
