#include "export/widgets/ExportRunner.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <climits>
#include <thread>

#include "export/AssembleRecords.h"

namespace {

constexpr int kQuietMs = 500;
constexpr int kRefreshMs = 20;

}  // namespace

QString exportingRecordText(size_t done, size_t total) {
    return QStringLiteral("Exporting record %1 of %2").arg(std::min(done + 1, total)).arg(total);
}

void watchExport(QWidget* parent, const ExportWatch& watch) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (watch.finished()) loop.quit();
    });
    poll.start(kRefreshMs);

    // Short work ends unseen; meanwhile no click may start anything else.
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    quiet.start(kQuietMs);
    bool quitting = false;  // the application is closing: its loops no longer run
    while (!watch.finished() && quiet.isActive() && !quitting)
        quitting = loop.exec(QEventLoop::ExcludeUserInputEvents) < 0;

    if (!watch.finished() && !quitting) {
        const bool bar = watch.total > 1;
        QProgressDialog dialog(watch.label(), QStringLiteral("Cancel"), 0,
                               bar ? static_cast<int>(std::min<size_t>(watch.total, INT_MAX)) : 0,
                               parent);
        dialog.setWindowTitle(QStringLiteral("qrn"));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        QObject::connect(&dialog, &QProgressDialog::canceled, watch.cancel);
        QTimer refresh;
        QObject::connect(&refresh, &QTimer::timeout, &dialog, [&] {
            // However the dialog was cancelled (button, Escape, closed).
            if (dialog.wasCanceled()) {
                watch.cancel();
                return;
            }
            dialog.setLabelText(watch.label());
            if (bar) dialog.setValue(static_cast<int>(std::min<size_t>(watch.done(), INT_MAX)));
        });
        refresh.start(kRefreshMs);
        dialog.show();
        while (!watch.finished() && !quitting) quitting = loop.exec() < 0;
    }
    if (quitting) watch.cancel();
}

void runExport(QWidget* parent, size_t total, ExportProgress& progress,
               const std::function<void()>& work) {
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished = true;
    });
    ExportWatch watch;
    watch.finished = [&finished] { return finished.load(); };
    watch.label = [&progress, total] { return exportingRecordText(progress.done, total); };
    watch.done = [&progress] { return progress.done.load(); };
    watch.total = total;
    watch.cancel = [&progress] { progress.cancel = true; };
    watchExport(parent, watch);
    worker.join();
}
