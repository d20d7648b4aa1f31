// Long exports run on a thread of their own while the window stays live; one
// progress dialog serves every kind of export. UI thread only.
#pragma once

#include <QString>
#include <cstddef>
#include <functional>

struct ExportProgress;
class QWidget;

// What the dialog asks of a running export.
struct ExportWatch {
    std::function<bool()> finished;
    std::function<QString()> label;
    std::function<size_t()> done;  // records handled so far
    size_t total = 0;              // 0 or 1: no bar, only the label
    // Called on every refresh while the user has cancelled: a cancel request
    // may reach only the step running at that moment.
    std::function<void()> cancel;
};

// Returns when watch.finished() holds. For the first half second user input
// waits and nothing shows; after that a modal dialog with the label and
// Cancel. Search events, painting and timers go on throughout.
void watchExport(QWidget* parent, const ExportWatch& watch);

// Runs work on another thread under watchExport: "Exporting record k of n"
// (k from progress.done), Cancel setting progress.cancel.
void runExport(QWidget* parent, size_t total, ExportProgress& progress,
               const std::function<void()>& work);

// "Exporting record k of n", k counted from done.
QString exportingRecordText(size_t done, size_t total);
