// The check of every ticked target: probes them all, at most the connection
// limit at a time, off the UI thread, and shows a row per target as its
// answer comes in. The report exports as tab-separated text; "Untick Dead"
// names the unreachable ones for the caller to untick. Closing cancels what
// is still running. UI thread only.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "targets/Target.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

class DlgTargetCheck : public QDialog {
    Q_OBJECT
public:
    DlgTargetCheck(std::vector<Target> targets, int connections, QWidget* parent = nullptr);
    ~DlgTargetCheck() override;

    // Ids of the targets found unreachable, once "Untick Dead" closed the box.
    const std::vector<int32_t>& deadIds() const { return dead_; }
    // Every target has its answer.
    bool finished() const;
    // The report as tab-separated text, a header line first.
    QString reportText() const;
    void exportReport();

protected:
    void done(int result) override;

private:
    struct CheckRun;
    void takeAnswers();

    std::vector<Target> targets_;
    std::shared_ptr<CheckRun> run_;
    std::vector<bool> shown_;
    std::vector<int32_t> dead_;
    QTableWidget* table_;
    QLabel* status_;
    QPushButton* untick_;
    QTimer* poll_;
};
