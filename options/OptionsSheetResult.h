// What the Options sheet did, for the document to follow up.
#pragma once

struct OptionsSheetResult {
    bool accepted = false;
    // The target list file changed: the old one was saved, the new one
    // loaded, and the records, selection and totals cleared.
    bool targetFileSwitched = false;
};
