// A window for a manual of local HTML pages: back, forward, home, and a find
// field that searches the page on show. Web links go to the user's browser.
// UI thread only.
#pragma once

#include <QUrl>
#include <QWidget>

class QAction;
class QLineEdit;
class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // home: the manual's first page, a local file.
    explicit HelpWindow(const QUrl& home, QWidget* parent = nullptr);

    QTextBrowser* page() const { return page_; }
    QLineEdit* findField() const { return findField_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }

    // Selects the next (or previous) match of the find field's text, going
    // round the page's end; false, with the field marked, when there is none.
    bool findNext(bool backwards = false);

private:
    QTextBrowser* page_ = nullptr;
    QLineEdit* findField_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
};
