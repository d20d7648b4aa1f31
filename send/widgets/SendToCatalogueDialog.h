// Send to Catalogue: asks before sending, then sends the records on a worker
// thread, asks what to do with each one the catalogue has already, shows
// progress with Cancel between records, and ends with a report per record.
#pragma once

#include <QDialog>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "send/CatalogueSender.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;

class SendToCatalogueDialog : public QDialog {
    Q_OBJECT
public:
    // records: ISO 2709, as they are to be sent.
    SendToCatalogueDialog(const Target& home, const SettingsData& settings,
                          std::vector<std::string> records, QWidget* parent = nullptr);
    ~SendToCatalogueDialog() override;

    // The report's lines so far, "N TAB title TAB result".
    QStringList reportLines() const { return lines_; }

signals:
    // Worker thread to UI thread.
    void recordDone(int index, QString line);
    void matchFound(int index, QString title, QString id);
    void sendingEnded(QString failure);

private:
    void start();
    void askAboutMatch(int index, const QString& title, const QString& id);
    void showDone(int index, const QString& line);
    void showFinished(const QString& failure);
    void cancel();
    // Worker thread: waits for the user's answer about a match.
    MatchChoice waitForChoice();

    Target home_;
    SettingsData settings_;
    std::vector<std::string> records_;
    QLabel* question_;
    QProgressBar* progress_;
    QPlainTextEdit* report_;
    QDialogButtonBox* buttons_;
    QStringList lines_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable answered_;
    bool hasChoice_ = false;
    MatchChoice choice_ = MatchChoice::Skip;
};
