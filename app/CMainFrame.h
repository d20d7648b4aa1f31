// The main window: menus, toolbar and status bar around three panes: the
// databases tree on the left, the record list above the record page on the
// right. It turns commands into document calls and keeps every command's
// enabled state up to date.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>

#include "app/CommandAvailability.h"
#include "export/FileExportKind.h"

class BatchReportWindow;
class CqrnDoc;
class LockKeyIndicators;
class MGroupedListView;
class MLimitView;
class MRecordListView;
class MRecordView;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPoint;
class QSplitter;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CqrnDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    MLimitView* limitView() const { return limitView_; }
    MRecordListView* recordListView() const { return listView_; }
    MGroupedListView* groupedListView() const { return groupedView_; }
    // View > Group Copies: the grouped list in place of the flat one.
    void showGroupedList(bool grouped);
    // View > Compare Records, for the selected records; the window it opened.
    QDialog* compareSelectedRecords();
    MRecordView* recordView() const { return recordView_; }
    QLabel* messagePane() const { return messagePane_; }
    // The action of a command, by its menu caption without the '&' ("Search").
    QAction* action(const QString& caption) const;
    ActivePane activePane() const { return activePane_; }
    // Export > Export All Records in List, and the databases tree's context
    // menu (for the target last asked about).
    QMenu* listExportMenu() const { return listExportMenu_; }
    QMenu* targetMenu() const { return targetMenu_; }
    // Export > Export All Copies of Selected Groups.
    QMenu* groupsExportMenu() const { return groupsExportMenu_; }

    // View > Batch Report: the window, made or refreshed.
    BatchReportWindow* showBatchReport();
    BatchReportWindow* batchReportWindow() const;

    // Enables and disables every command from the document's state.
    void setMenuActionState();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createPanes();
    // The four file kinds and Database, for many records at once.
    QMenu* exportKindMenu(const QString& title, const std::function<void(FileExportKind)>& toFile,
                          const std::function<void()>& toDatabase);
    void showTargetMenu(const QPoint& at);
    void setActivePane(ActivePane pane);
    void offerBatchReport();
    QAction* addCommand(const QString& caption, const QString& themeIcon, int fallbackIcon,
                        const QKeySequence& shortcut, const QString& statusTip);

    CqrnDoc& doc_;
    MLimitView* limitView_ = nullptr;
    MRecordListView* listView_ = nullptr;
    MGroupedListView* groupedView_ = nullptr;
    QSplitter* listSplit_ = nullptr;
    bool grouped_ = false;
    MRecordView* recordView_ = nullptr;
    QLabel* messagePane_ = nullptr;
    LockKeyIndicators* indicators_ = nullptr;
    ActivePane activePane_ = ActivePane::None;
    std::map<QString, QAction*> actions_;
    QMenu* listExportMenu_ = nullptr;
    QMenu* targetMenu_ = nullptr;
    QMenu* groupsExportMenu_ = nullptr;
    QMenu* targetExportMenu_ = nullptr;
    int32_t menuTarget_ = -1;
    QPointer<BatchReportWindow> batchReport_;
};
