// The page of the selected record or target. Pages are HTML strings; nothing
// is loaded from files or the network, and only the page's own links (retry,
// resume) and web or mail addresses do anything when clicked.
// The views reach the document only through ViewDocument, never the program.
#pragma once

#include <QTextBrowser>
#include <memory>

#include "document/DocumentView.h"

class ViewDocument;
class QPrinter;

class MRecordView : public QTextBrowser, public DocumentView {
    Q_OBJECT
public:
    explicit MRecordView(ViewDocument& doc, QWidget* parent = nullptr);
    ~MRecordView() override;

    void onUpdate(DocumentView* sender, int32_t hint, const SearchEventHint* event) override;

    // Shows a page; an empty string leaves a blank page.
    void showHtml(const std::string& html);
    // The selected record's page, also while this view is the active one.
    void showSelectedRecord();
    const std::string& shownHtml() const { return html_; }
    bool pagePending() const { return pagePending_; }

    // File > Print and Print Setup, on one printer kept for the run.
    void printPage(QWidget* parent);
    void printSetup(QWidget* parent);
    // Prints the page to printer without asking (tests, PDF output).
    void printTo(QPrinter& printer);
    QPrinter& printer();

    // Refuses every resource: a page never reads a file or the network.
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void linkClicked(const QUrl& url);

    ViewDocument& doc_;
    std::string html_;
    bool pagePending_ = false;
    std::unique_ptr<QPrinter> printer_;
};
