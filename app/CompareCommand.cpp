#include "app/CompareCommand.h"

#include "document/DocumentCore.h"
#include "export/widgets/RecordExport.h"
#include "send/widgets/SendToCatalogue.h"
#include "views/MCompareWindow.h"

QDialog* compareRecords(DocumentCore& doc, QWidget* parent) {
    const std::vector<int32_t> numbers = doc.selection.selectedRecordNumbers;
    if (numbers.size() < 2 || numbers.size() > 4) return nullptr;
    auto* window = new MCompareWindow(
        doc.store, numbers,
        [&doc, parent](int32_t number) {
            exportRecordToFile(doc, number, FileExportKind::Marc, parent);
        },
        parent, doc.selection.listedRecordNumbers,
        [&doc, parent](int32_t number) { sendToCatalogue(doc, {number}, parent); });
    window->show();
    return window;
}
