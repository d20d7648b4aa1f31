#include "app/MAboutDlg.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "base/Version.h"

QString MAboutDlg::pageHtml() {
    return QStringLiteral(
               "<html><body style=\"font-family:sans-serif;\">"
               "<h2>Tessaly Z39.50 Client</h2>"
               "<p><b>Version %1</b></p><hr />"
               "<p>qrn, a search client for library catalogues that speak Z39.50. "
               "Help &gt; Contents opens its manual.</p>"
               "<p>Z39.50 is spoken through the YAZ toolkit by Index Data "
               "(<a href=\"https://www.indexdata.com/resources/software/yaz/\">indexdata.com</a>)."
               "</p></body></html>")
        .arg(QString::fromLatin1(qrnVersion()));
}

MAboutDlg::MAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    auto* page = new QTextBrowser(this);
    page->setOpenLinks(false);
    page->setHtml(pageHtml());
    page->setFrameShape(QFrame::NoFrame);
    connect(page, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
        const QString scheme = url.scheme();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
            QDesktopServices::openUrl(url);
    });
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setFixedWidth(100);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addLayout(buttons);
    resize(420, 300);
}
