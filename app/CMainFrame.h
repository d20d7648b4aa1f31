// The main window: menus, toolbar and status bar around three panes: the
// databases tree on the left, the record list above the record page on the
// right. It turns commands into document calls and keeps every command's
// enabled state up to date.
#pragma once

#include <QMainWindow>
#include <map>

#include "app/CommandAvailability.h"

class CqrnDoc;
class LockKeyIndicators;
class MLimitView;
class MRecordListView;
class MRecordView;
class QAction;
class QLabel;
class QSplitter;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CqrnDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    MLimitView* limitView() const { return limitView_; }
    MRecordListView* recordListView() const { return listView_; }
    MRecordView* recordView() const { return recordView_; }
    QLabel* messagePane() const { return messagePane_; }
    // The action of a command, by its menu caption without the '&' ("Search").
    QAction* action(const QString& caption) const;
    ActivePane activePane() const { return activePane_; }

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
    void setActivePane(ActivePane pane);
    QAction* addCommand(const QString& caption, const QString& themeIcon, int fallbackIcon,
                        const QKeySequence& shortcut, const QString& statusTip);

    CqrnDoc& doc_;
    MLimitView* limitView_ = nullptr;
    MRecordListView* listView_ = nullptr;
    MRecordView* recordView_ = nullptr;
    QLabel* messagePane_ = nullptr;
    LockKeyIndicators* indicators_ = nullptr;
    ActivePane activePane_ = ActivePane::None;
    std::map<QString, QAction*> actions_;
};
