#include "app/CMainFrame.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/BatchReportOffer.h"
#include "app/CatalogueCommands.h"
#include "app/CommandKeys.h"
#include "app/CompareCommand.h"
#include "app/CqrnDoc.h"
#include "app/EditRecordCommands.h"
#include "app/HelpCommands.h"
#include "app/LockKeyIndicators.h"
#include "app/MAboutDlg.h"
#include "app/PaintedIcons.h"
#include "base/Version.h"
#include "export/widgets/RecordExport.h"
#include "query/BatchReport.h"
#include "query/widgets/BatchReportWindow.h"
#include "views/MGroupedListView.h"
#include "views/MLimitView.h"
#include "views/MRecordListView.h"
#include "views/MRecordView.h"

namespace {

// The file export commands, as the Export menu and its submenus list them.
const std::pair<const char*, FileExportKind> kFileKinds[] = {
    {"MARC", FileExportKind::Marc},
    {"MARC Text", FileExportKind::MarcText},
    {"TEXT", FileExportKind::Text},
    {"XML", FileExportKind::Xml},
    {"XSL Transformation", FileExportKind::XslTransformation}};

}  // namespace

CMainFrame::CMainFrame(CqrnDoc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc) {
    setWindowTitle(QStringLiteral("Tessaly Z39.50 Client - ") + QString::fromLatin1(qrnVersion()));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("qrn"),
                                   style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    createPanes();
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();

    connect(&doc_, &CqrnDoc::progressText, messagePane_, &QLabel::setText);
    connect(&doc_, &CqrnDoc::stateChanged, this, &CMainFrame::setMenuActionState);
    connect(&doc_, &CqrnDoc::batchSearchEnded, this, &CMainFrame::offerBatchReport);
    // The pane itself tells: focusChanged comes only once the window is
    // active, after the click that brought it back has been handled.
    for (QAbstractScrollArea* pane : std::initializer_list<QAbstractScrollArea*>{
             limitView_, listView_, groupedView_, recordView_}) {
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
    }
    connect(recordView_, &QTextEdit::copyAvailable, this, &CMainFrame::setMenuActionState);
    resize(1000, 700);
    limitView_->setFocus();
    setActivePane(ActivePane::Databases);
}

CMainFrame::~CMainFrame() {
    // The views unregister as they go; no focus change may reach them then.
    for (QAbstractScrollArea* pane : std::initializer_list<QAbstractScrollArea*>{
             limitView_, listView_, groupedView_, recordView_}) {
        pane->removeEventFilter(this);
        pane->viewport()->removeEventFilter(this);
    }
}

void CMainFrame::createPanes() {
    limitView_ = new MLimitView(doc_);
    listView_ = new MRecordListView(doc_);
    recordView_ = new MRecordView(doc_);
    groupedView_ = new MGroupedListView(doc_);
    auto* right = new QSplitter(Qt::Vertical);
    listSplit_ = right;
    right->addWidget(listView_);
    right->addWidget(recordView_);
    right->insertWidget(1, groupedView_);
    groupedView_->hide();
    right->setChildrenCollapsible(false);
    right->setSizes({250, 430});
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(limitView_);
    split->addWidget(right);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(1, 1);
    split->setSizes({250, 750});
    setCentralWidget(split);
    limitView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(limitView_, &QWidget::customContextMenuRequested, this, &CMainFrame::showTargetMenu);
}

QAction* CMainFrame::addCommand(const QString& caption, const QString& themeIcon, int fallbackIcon,
                                const QKeySequence& shortcut, const QString& statusTip) {
    auto* action = new QAction(caption, this);
    if (!themeIcon.isEmpty()) {
        const QIcon fallback =
            fallbackIcon >= 0
                ? style()->standardIcon(static_cast<QStyle::StandardPixmap>(fallbackIcon))
                : paintedIcon(fallbackIcon, palette());
        action->setIcon(QIcon::fromTheme(themeIcon, fallback));
    }
    QString key = caption;
    key.remove(QLatin1Char('&'));
    action->setShortcut(shortcut.isEmpty() ? commandKey(key) : shortcut);
    if (!statusTip.isEmpty()) action->setStatusTip(statusTip);
    actions_[key] = action;
    return action;
}

QAction* CMainFrame::action(const QString& caption) const {
    const auto found = actions_.find(caption);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::createActions() {
    const auto on = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, handler);
    };
    on(addCommand("Search", "system-search", QStyle::SP_FileDialogContentsView, {}, "Search"),
       [this] { doc_.search(this); });
    on(addCommand("Resume", "media-playback-start", QStyle::SP_MediaPlay, {}, "Resume Search"),
       [this] { doc_.resume(); });
    on(addCommand("Stop", "process-stop", QStyle::SP_BrowserStop, {}, "Stop"),
       [this] { doc_.stop(); });
    on(addCommand("&Browse Index\u2026", {}, 0, QKeySequence(Qt::CTRL | Qt::Key_I),
                  "Browse an index of the ticked targets"),
       [this] { browseIndex(doc_, this); });
    on(addCommand("&Print...", "document-print", PrintIcon, QKeySequence::Print, {}),
       [this] { recordView_->printPage(this); });
    on(addCommand("P&rint Setup...", {}, 0, {}, {}), [this] { recordView_->printSetup(this); });
    on(addCommand("E&xit", {}, 0, {}, {}), [this] { close(); });
    on(addCommand("Cu&t", "edit-cut", CutIcon, QKeySequence::Cut, {}),
       [this] { recordView_->cut(); });
    on(addCommand("&Copy", "edit-copy", CopyIcon, QKeySequence::Copy, {}), [this] {
        if (activePane_ != ActivePane::RecordList) return recordView_->copy();
        if (grouped_) return groupedView_->copySelectedRows();
        listView_->copySelectedRows();
    });
    on(addCommand("&Paste", "edit-paste", PasteIcon, QKeySequence::Paste, {}),
       [this] { recordView_->paste(); });
    on(addCommand("Options", {}, 0, {}, {}), [this] { doc_.options(this); });
    for (const auto& [caption, kind] : kFileKinds) {
        const FileExportKind command = kind;
        on(addCommand(caption, {}, 0, {}, {}), [this, command] { doc_.exportFile(command, this); });
    }
    on(addCommand("Database", {}, 0, {}, {}), [this] { doc_.exportDatabase(this); });
    const auto addTo = [this](bool another) {
        if (QString added = addRecordToFile(doc_.core(), another, this); !added.isEmpty())
            messagePane_->setText(added);
    };
    on(addCommand("Add to File", {}, 0, {}, "Add the record to the end of the file added to last"),
       [addTo] { addTo(false); });
    on(addCommand("Add to Other File...", {}, 0, {}, "Choose the file that Add to File adds to"),
       [addTo] { addTo(true); });
    on(addCommand(QStringLiteral("Send to Catalogue\u2026"), {}, 0, QKeySequence("Ctrl+Shift+U"),
                  "Send the selected records into the library's own catalogue"),
       [this] { sendSelectedToCatalogue(doc_.core(), this); });
    on(addCommand("Contents", {}, 0, QKeySequence::HelpContents, {}), [this] { showManual(this); });
    on(addCommand("Forum", {}, 0, {}, {}),
       [this] { QDesktopServices::openUrl(forumUrl(doc_.core().settings->ForumURL)); });
    on(addCommand("&About", "help-about", QStyle::SP_MessageBoxInformation, {}, {}), [this] {
        MAboutDlg dialog(this);
        dialog.exec();
    });
    // Keys without a menu entry: New reloads the target list; Open and Save
    // have nothing to read or write.
    on(addCommand("Batch Report", {}, 0, {}, "What the last batch search found for each number"),
       [this] { showBatchReport(); });
    on(addCommand("New", {}, 0, QKeySequence::New, {}), [this] { doc_.onNewDocument(); });
    addCommand("Open", {}, 0, QKeySequence::Open, {});
    addCommand("Save", {}, 0, QKeySequence::Save, {});
    for (const char* key : {"New", "Open", "Save"}) addAction(action(key));
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions({action("Search"), action("Resume"), action("Stop"),
                      action(QStringLiteral("Browse Index\u2026"))});
    file->addSeparator();
    file->addActions({action("Print..."), action("Print Setup...")});
    file->addSeparator();
    file->addAction(action("Exit"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addActions({action("Cut"), action("Copy"), action("Paste")});
    edit->addSeparator();
    edit->addAction(action("Options"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    for (const char* caption : {"&Toolbar", "&Status Bar"}) {
        QAction* toggle = addCommand(caption, {}, 0, {}, {});
        toggle->setCheckable(true);
        toggle->setChecked(true);
        view->addAction(toggle);
    }
    view->addSeparator();
    view->addAction(action("Batch Report"));
    QAction* group = addCommand("&Group Copies", {}, 0, QKeySequence(Qt::CTRL | Qt::Key_G),
                                "Show copies of one book as one row");
    group->setCheckable(true);
    connect(group, &QAction::toggled, this, &CMainFrame::showGroupedList);
    view->addAction(group);
    QAction* marks = listView_->marksColumnAction();
    actions_[marks->text().remove(QLatin1Char('&'))] = marks;
    view->addAction(marks);
    QAction* compare =
        addCommand("Co&mpare Records", {}, 0, {}, "Show two to four selected records side by side");
    connect(compare, &QAction::triggered, this, [this] { compareSelectedRecords(); });
    view->addAction(compare);

    addRecordCommands(*menuBar()->addMenu(QStringLiteral("&Record")), doc_.core(), this, [this] {
        listView_->refill();
        recordView_->showSelectedRecord();
    });
    QMenu* exportMenu = menuBar()->addMenu(QStringLiteral("Export"));
    exportMenu->addActions({action("MARC"), action("MARC Text"), action("TEXT"), action("XML"),
                            action("XSL Transformation"), action("Database")});
    exportMenu->addSeparator();
    exportMenu->addActions({action("Add to File"), action("Add to Other File...")});
    exportMenu->addAction(action(QStringLiteral("Send to Catalogue\u2026")));
    exportMenu->addSeparator();
    listExportMenu_ = exportKindMenu(
        QStringLiteral("Export All Records in List"),
        [this](FileExportKind kind) { doc_.exportFile(kind, this, RecordScope::List); },
        [this] { doc_.exportDatabase(this, RecordScope::List); });
    exportMenu->addMenu(listExportMenu_);
    groupsExportMenu_ = exportKindMenu(
        QStringLiteral("Export All Copies of Selected Groups"),
        [this](FileExportKind kind) { doc_.exportFile(kind, this, RecordScope::Groups); },
        [this] { doc_.exportDatabase(this, RecordScope::Groups); });
    exportMenu->addMenu(groupsExportMenu_);

    targetMenu_ = new QMenu(this);
    targetExportMenu_ = exportKindMenu(
        QStringLiteral("Export This Target's Records"),
        [this](FileExportKind kind) {
            doc_.exportFile(kind, this, RecordScope::Target, menuTarget_);
        },
        [this] { doc_.exportDatabase(this, RecordScope::Target, menuTarget_); });
    targetMenu_->addMenu(targetExportMenu_);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addActions({action("Contents"), action("Forum"), action("About")});
}

QMenu* CMainFrame::exportKindMenu(const QString& title,
                                  const std::function<void(FileExportKind)>& toFile,
                                  const std::function<void()>& toDatabase) {
    auto* menu = new QMenu(title, this);
    for (const auto& [caption, kind] : kFileKinds) {
        const FileExportKind chosen = kind;
        connect(menu->addAction(QString::fromLatin1(caption)), &QAction::triggered, this,
                [toFile, chosen] { toFile(chosen); });
    }
    connect(menu->addAction(QStringLiteral("Database")), &QAction::triggered, this, toDatabase);
    return menu;
}

void CMainFrame::showTargetMenu(const QPoint& at) {
    const QTreeWidgetItem* item = limitView_->itemAt(at);
    if (!item) return;
    menuTarget_ = item->data(0, Qt::UserRole).toInt();
    // The root stands for all targets: that is the whole list's command.
    if (menuTarget_ < 0) return;
    targetExportMenu_->menuAction()->setEnabled(
        !doc_.core().recordNumbers(RecordScope::Target, menuTarget_).empty());
    targetMenu_->popup(limitView_->viewport()->mapToGlobal(at));
}

void CMainFrame::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setMovable(true);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setIconSize(QSize(16, 16));
    bar->addActions({action("Search"), action("Resume"), action("Stop")});
    bar->addSeparator();
    bar->addActions({action("Cut"), action("Copy"), action("Paste")});
    bar->addSeparator();
    bar->addActions({action("Print..."), action("About")});
    QAction* toggle = action("Toolbar");
    connect(toggle, &QAction::toggled, bar, &QToolBar::setVisible);
    connect(bar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    messagePane_ = new QLabel(QStringLiteral("Ready"), bar);
    messagePane_->setTextFormat(Qt::PlainText);
    bar->addWidget(messagePane_, 1);
    indicators_ = new LockKeyIndicators(bar);
    QAction* toggle = action("Status Bar");
    connect(toggle, &QAction::toggled, bar, &QStatusBar::setVisible);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) {
        const auto within = [watched](QAbstractScrollArea* pane) {
            return watched == pane || watched == pane->viewport();
        };
        if (within(limitView_))
            setActivePane(ActivePane::Databases);
        else if (within(listView_) || within(groupedView_))
            setActivePane(ActivePane::RecordList);
        else if (within(recordView_))
            setActivePane(ActivePane::Record);
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::setActivePane(ActivePane pane) {
    activePane_ = pane;
    limitView_->setActiveView(pane == ActivePane::Databases);
    listView_->setActiveView(pane == ActivePane::RecordList && !grouped_);
    groupedView_->setActiveView(pane == ActivePane::RecordList && grouped_);
    recordView_->setActiveView(pane == ActivePane::Record);
    setMenuActionState();
}

BatchReportWindow* CMainFrame::batchReportWindow() const { return batchReport_; }

BatchReportWindow* CMainFrame::showBatchReport() {
    if (!batchReport_) {
        batchReport_ = new BatchReportWindow(this);
        connect(batchReport_, &BatchReportWindow::recordsChosen, this,
                [this](const std::vector<int32_t>& records) { listView_->showRecords(records); });
    }
    doc_.core().copies.catchUp(doc_.core().store);
    batchReport_->setReport(batchReportOf(doc_.core(), bestCopyChooser(doc_.core().copies)));
    batchReport_->show();
    batchReport_->raise();
    return batchReport_;
}

void CMainFrame::offerBatchReport() {
    if (batchReport_ && batchReport_->isVisible()) {
        showBatchReport();
        return;
    }
    QMessageBox* box = batchReportOffer(batchReportSummary(batchReportOf(doc_.core())), this);
    connect(box, &QMessageBox::buttonClicked, this, [this, box](QAbstractButton* button) {
        if (box->standardButton(button) == QMessageBox::Yes) showBatchReport();
    });
    box->show();
}

void CMainFrame::setMenuActionState() {
    const CommandAvailability a =
        commandAvailability(doc_.core(), activePane_, recordView_->textCursor().hasSelection());
    action("Search")->setEnabled(a.search);
    action("Options")->setEnabled(a.options);
    action("Stop")->setEnabled(a.stop);
    action("Resume")->setEnabled(a.resume);
    for (const char* key : {"MARC", "MARC Text", "TEXT", "XML", "XSL Transformation", "Add to File",
                            "Add to Other File..."})
        action(key)->setEnabled(a.exportRecord);
    action("Database")->setEnabled(a.exportDatabase);
    listExportMenu_->menuAction()->setEnabled(a.exportList);
    groupsExportMenu_->menuAction()->setEnabled(grouped_ && a.exportRecord);
    action("Compare Records")->setEnabled(a.compare);
    action("Print...")->setEnabled(a.print);
    action("Cut")->setEnabled(a.cut);
    action("Copy")->setEnabled(a.copy);
    action("Paste")->setEnabled(a.paste);
    action("Batch Report")->setEnabled(doc_.core().search.batchOutcomes() != nullptr);
    action("Forum")->setEnabled(!forumUrl(doc_.core().settings->ForumURL).isEmpty());
}

void CMainFrame::showGroupedList(bool grouped) {
    if (grouped == grouped_) return;
    grouped_ = grouped;
    QList<int> sizes = listSplit_->sizes();
    sizes.swapItemsAt(0, 1);
    listView_->setVisible(!grouped);
    groupedView_->setVisible(grouped);
    listSplit_->setSizes(sizes);
    // The list shown tells the document what it lists and what is selected.
    if (grouped)
        groupedView_->refill();
    else
        listView_->refillSoon();
    setActivePane(activePane_);
}

QDialog* CMainFrame::compareSelectedRecords() { return compareRecords(doc_.core(), this); }
