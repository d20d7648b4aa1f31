#include "views/MRecordView.h"

#include <QDesktopServices>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "display/LinkAction.h"
#include "display/MarksLine.h"
#include "display/RecordPages.h"
#include "display/StartPage.h"
#include "document/ViewDocument.h"
#include "copies/QualityMarks.h"
#include "marc/ScreenText.h"

MRecordView::MRecordView(ViewDocument& doc, QWidget* parent) : QTextBrowser(parent), doc_(doc) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setAccessibleName(QStringLiteral("Record"));
    // The summary page sizes its heading in percent, which Qt's rich text
    // does not read; this gives it the intended size. Long lines of a text
    // record (notes, abstracts) wrap instead of needing a scroll bar.
    document()->setDefaultStyleSheet(
        QStringLiteral("div.heading { font-size: xx-large; } pre { white-space: pre-wrap; }"));
    connect(this, &QTextBrowser::anchorClicked, this, &MRecordView::linkClicked);
    doc_.addView(this);
    // Until the first search, an empty page would leave a new user guessing.
    showHtml(startPageHtml(doc_.core().targetList));
}

MRecordView::~MRecordView() { doc_.removeView(this); }

void MRecordView::onUpdate(DocumentView*, int32_t hint, const SearchEventHint*) {
    if (isActiveView()) return;
    const DocumentCore& core = doc_.core();
    switch (hint) {
        case HINT_SEARCH_STARTED:
            showHtml(std::string());
            break;
        case HINT_TARGET_SELECTED:
            if (core.selection.selectedTargetId != -1)
                showHtml(renderTargetSummaryHtml(core.targetList, core.selection.selectedTargetId));
            break;
        case HINT_RECORD_SELECTED:
            showSelectedRecord();
            break;
        default:
            break;
    }
}

void MRecordView::showSelectedRecord() {
    const DocumentCore& core = doc_.core();
    if (core.selection.selectedRecordNumber == -1) return;
    std::string html;
    const int32_t number = core.selection.selectedRecordNumber;
    renderRecordHtml(core.store, number, *core.settings, html);
    QualityMarks marks;
    core.store.visitRecords(&number, 1, [&marks](const Record& r) {
        if (r.kind == Marc) marks = qualityMarks(r.rawData);
    });
    showHtml(withMarksLine(html, marks));
}

void MRecordView::showHtml(const std::string& html) {
    html_ = html;
    // The page is written in one go; nothing is left pending on this widget.
    pagePending_ = !html_.empty();
    // A stylesheet's output may still carry the non-sorting markers of MARC.
    setHtml(QString::fromStdString(screenText(html_)));
    pagePending_ = false;
}

void MRecordView::linkClicked(const QUrl& url) {
    const LinkAction action = linkActionFor(url.toString().toStdString());
    switch (action.kind) {
        case LinkAction::Retry:
            doc_.retryTarget(action.targetId);
            break;
        case LinkAction::Resume:
            doc_.resumeTarget(action.targetId);
            break;
        case LinkAction::OpenInBrowser:
            QDesktopServices::openUrl(url);
            break;
        case LinkAction::Ignore:
            break;
    }
}

QVariant MRecordView::loadResource(int, const QUrl&) { return QVariant(); }

QPrinter& MRecordView::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void MRecordView::printPage(QWidget* parent) {
    QPrintDialog dialog(&printer(), parent);
    if (textCursor().hasSelection()) dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (dialog.exec() == QDialog::Accepted) printTo(printer());
}

void MRecordView::printSetup(QWidget* parent) {
    QPageSetupDialog dialog(&printer(), parent);
    dialog.exec();
}

void MRecordView::printTo(QPrinter& target) { document()->print(&target); }
