// Runs an export's work on a thread of its own while the window stays live.
// UI thread only.
#pragma once

#include <cstddef>
#include <functional>

struct ExportProgress;
class QWidget;

// Runs work on another thread and returns when it has ended. Work that takes
// longer than half a second gets a modal dialog "Exporting record k of n"
// (k from progress.done) whose Cancel sets progress.cancel; until then user
// input waits. Search events, painting and timers go on throughout.
void runExport(QWidget* parent, size_t total, ExportProgress& progress,
               const std::function<void()>& work);
