// The preview of a directory import: reads the chosen ZeeRex files off the UI
// thread and lists what will be added, what the list already has and what is
// refused, with the reason. OK (enabled once reading ended with something to
// add) leaves the plan for the caller to apply. Closing cancels the reading.
// UI thread only.
#pragma once

#include <QDialog>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "directory/DirectoryImport.h"

class QDialogButtonBox;
class QLabel;
class QTimer;
class QTreeWidget;

class DlgTargetImport : public QDialog {
    Q_OBJECT
public:
    DlgTargetImport(const QStringList& paths, std::set<TargetKey> known,
                    QWidget* parent = nullptr);
    ~DlgTargetImport() override;

    // The reading has ended and its outcome is shown.
    bool finished() const { return finished_; }
    const ImportPlan& plan() const { return plan_; }

protected:
    void done(int result) override;

private:
    struct ReadRun;
    void takePlan();
    void showPlan();

    std::shared_ptr<ReadRun> run_;
    ImportPlan plan_;
    bool finished_ = false;
    QTreeWidget* tree_;
    QLabel* status_;
    QDialogButtonBox* buttons_;
    QTimer* poll_;
};
