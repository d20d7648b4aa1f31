#include "ui/HelpWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QUrl& home, QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("qrn Help"));
    page_ = new QTextBrowser(this);
    page_->setObjectName(QStringLiteral("helpPage"));
    // Pages of the manual open here, web links in the user's browser.
    page_->setOpenExternalLinks(true);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"),
                           page_, &QTextBrowser::backward);
    back_->setShortcut(QKeySequence::Back);
    forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                              QStringLiteral("&Forward"), page_, &QTextBrowser::forward);
    forward_->setShortcut(QKeySequence::Forward);
    QAction* homeAction = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                         QStringLiteral("&Contents"), page_, &QTextBrowser::home);
    homeAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(page_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(page_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);

    bar->addSeparator();
    findField_ = new QLineEdit(bar);
    findField_->setObjectName(QStringLiteral("helpFind"));
    findField_->setPlaceholderText(QStringLiteral("Find in page"));
    findField_->setClearButtonEnabled(true);
    findField_->setMaximumWidth(240);
    bar->addWidget(findField_);
    connect(findField_, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(findField_, &QLineEdit::textEdited, this, [this] { findField_->setStyleSheet({}); });
    bar->addAction(QStringLiteral("Next"), this, [this] { findNext(); })
        ->setShortcut(QKeySequence::FindNext);
    bar->addAction(QStringLiteral("Previous"), this, [this] { findNext(true); })
        ->setShortcut(QKeySequence::FindPrevious);
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        findField_->setFocus();
        findField_->selectAll();
    });
    addAction(find);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(page_);
    page_->setSource(home);
    resize(820, 640);
}

bool HelpWindow::findNext(bool backwards) {
    const QString text = findField_->text();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = page_->find(text, flags);
    if (!found) {
        // Round the end of the page, once.
        QTextCursor cursor = page_->textCursor();
        cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        page_->setTextCursor(cursor);
        found = page_->find(text, flags);
    }
    findField_->setStyleSheet(found ? QString() : QStringLiteral("background: #f4c7c3;"));
    return found;
}
