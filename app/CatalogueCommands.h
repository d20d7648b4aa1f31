// The commands that reach beyond one search: browsing the targets' indexes
// and sending records into the library's own catalogue. UI thread only.
#pragma once

class CqrnDoc;
class DocumentCore;
class QWidget;

// Opens the Browse Index window; a term chosen there is searched.
void browseIndex(CqrnDoc& doc, QWidget* parent);
// Sends the list's selected records, asking first.
void sendSelectedToCatalogue(DocumentCore& doc, QWidget* parent);
