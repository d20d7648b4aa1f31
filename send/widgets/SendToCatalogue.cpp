#include "send/widgets/SendToCatalogue.h"

#include <QMessageBox>

#include "document/DocumentCore.h"
#include "export/MarcExportForm.h"
#include "send/widgets/SendToCatalogueDialog.h"

const Target* homeCatalogue(const TargetList& list) {
    for (const Target& t : list.targets)
        if (t.home) return &t;
    return nullptr;
}

void sendToCatalogue(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                     QWidget* parent) {
    const QString caption = QStringLiteral("Send to Catalogue");
    const Target* home = homeCatalogue(doc.targetList);
    if (!home) {
        QMessageBox::information(parent, caption,
                                 QStringLiteral("No target is marked as the library's own "
                                                "catalogue. Tick \"home\" in its target page."));
        return;
    }
    // Catalogues take UTF-8, whatever set the record came in.
    MarcExportOptions options = marcExportOptions(*doc.settings);
    options.asUtf8 = true;
    std::vector<std::string> records;
    for (Record& record : doc.store.copyRecords(recordNumbers.data(), recordNumbers.size())) {
        if (record.kind != Marc) continue;
        std::string bytes = exportIso2709(record, options);
        if (!bytes.empty()) records.push_back(std::move(bytes));
    }
    if (records.empty()) {
        QMessageBox::information(parent, caption,
                                 QStringLiteral("Select the MARC records to send first."));
        return;
    }
    SendToCatalogueDialog dialog(*home, *doc.settings, std::move(records), parent);
    dialog.exec();
}
