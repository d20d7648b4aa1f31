#include "app/CqrnDoc.h"

// The sheets and export commands, joined to the document's commands here.
const SheetEntryPoints& sheetEntryPoints() {
    static const SheetEntryPoints entries = [] {
        SheetEntryPoints e;
        return e;
    }();
    return entries;
}
