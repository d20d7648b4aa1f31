#include "app/CqrnDoc.h"
#include "display/widgets/OptionsSheet.h"
#include "export/widgets/RecordExport.h"
#include "query/widgets/SearchSheet.h"

// The sheets and export commands, joined to the document's commands here.
const SheetEntryPoints& sheetEntryPoints() {
    static const SheetEntryPoints entries = [] {
        SheetEntryPoints e;
        e.searchSheet = runSearchSheet;
        e.optionsSheet = runOptionsSheet;
        e.exportFile = exportRecordToFile;
        e.exportDatabase = exportRecordToDatabase;
        return e;
    }();
    return entries;
}
