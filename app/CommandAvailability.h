// Which commands the user may choose now: the one place that decides it, from
// the document and the frame's active view.
#pragma once

class DocumentCore;

enum class ActivePane { None, Databases, RecordList, Record };

struct CommandAvailability {
    bool search = false;
    bool resume = false;
    bool stop = false;
    bool options = false;
    bool exportRecord = false;    // MARC, TEXT, XML, XSL Transformation: rows selected
    bool exportDatabase = false;  // rows selected
    bool exportList = false;      // the list shows records
    bool compare = false;         // two to four rows selected
    bool print = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
};

// UI thread. recordHasSelection: text is selected on the record page. The page
// is read-only, so Cut and Paste never have anything to do; Copy in the list
// copies its selected rows.
CommandAvailability commandAvailability(const DocumentCore& doc, ActivePane active,
                                        bool recordHasSelection);
