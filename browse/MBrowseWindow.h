// The Browse window: one index of the ticked targets, the terms around a start
// term with their counts side by side. Page Up/Down, and the arrows past the
// first or last row, ask for the terms before or after; Enter or a double
// click searches a term. Scans run on the worker pool.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "protocol/TargetConnection.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class BrowseTermsModel;
class WorkerPool;
struct BrowseInbox;
class DocumentCore;

class MBrowseWindow : public QDialog {
    Q_OBJECT
public:
    // targets are the ones to browse, copied; pool must outlive the window.
    MBrowseWindow(std::vector<Target> targets, const SettingsData& settings, WorkerPool& pool,
                  QWidget* parent = nullptr);
    ~MBrowseWindow() override;
    // A window of its own over core's ticked targets, shown; it deletes
    // itself when closed.
    static MBrowseWindow* openFor(const DocumentCore& core, QWidget* parent);

    // Terms asked of each target at a time.
    static constexpr int32_t kTerms = 20;

    // The query of a term of the chosen index, as a search sends it.
    QString termQuery(const std::string& term) const;
    BrowseTermsModel* model() const { return model_; }

signals:
    void searchRequested(const QString& pqf);
    // Every target of the last scan answered.
    void scanned();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scanFrom(const std::string& term, int32_t position);
    void take(int generation, size_t target, ScanAnswer answer);
    void searchRow(int row);

    std::vector<Target> targets_;
    SettingsData settings_;
    WorkerPool& pool_;
    std::shared_ptr<BrowseInbox> inbox_;
    QComboBox* index_;
    QLineEdit* start_;
    QTableView* view_;
    QLabel* status_;
    BrowseTermsModel* model_;
    std::vector<ScanAnswer> answers_;
    size_t pending_ = 0;
    int generation_ = 0;
    // Where the shown list goes on: at the next scan, select this row.
    bool selectLast_ = false;
};
