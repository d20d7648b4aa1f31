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
constexpr int kRefreshMs = 100;

QString progressText(size_t done, size_t total) {
    return QStringLiteral("Exporting record %1 of %2").arg(std::min(done + 1, total)).arg(total);
}

}  // namespace

void runExport(QWidget* parent, size_t total, ExportProgress& progress,
               const std::function<void()>& work) {
    std::atomic<bool> finished{false};
    QEventLoop loop;
    std::thread worker([&] {
        work();
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // Short work ends unseen; meanwhile no click may start anything else.
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    quiet.start(kQuietMs);
    bool quitting = false;  // the application is closing: its loops no longer run
    while (!finished && quiet.isActive() && !quitting)
        quitting = loop.exec(QEventLoop::ExcludeUserInputEvents) < 0;

    if (!finished && !quitting) {
        QProgressDialog dialog(progressText(progress.done, total), QStringLiteral("Cancel"), 0,
                               static_cast<int>(std::min<size_t>(total, INT_MAX)), parent);
        dialog.setWindowTitle(QStringLiteral("qrn"));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        QObject::connect(&dialog, &QProgressDialog::canceled,
                         [&progress] { progress.cancel = true; });
        QTimer refresh;
        QObject::connect(&refresh, &QTimer::timeout, &dialog, [&] {
            // However the dialog was cancelled (button, Escape, closed).
            if (dialog.wasCanceled()) {
                progress.cancel = true;
                return;
            }
            const size_t done = progress.done;
            dialog.setLabelText(progressText(done, total));
            dialog.setValue(static_cast<int>(std::min<size_t>(done, INT_MAX)));
        });
        refresh.start(kRefreshMs);
        dialog.show();
        while (!finished && !quitting) quitting = loop.exec() < 0;
    }
    if (quitting) progress.cancel = true;
    worker.join();
}
