// The first start without an installer, Help > Contents with the shipped
// manual, and Help > Forum following its setting.
#include <QAction>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "app/CMainFrame.h"
#include "app/FirstRun.h"
#include "app/HelpCommands.h"
#include "app/ShippedData.h"
#include "settings/store/Settings.h"
#include "ui/HelpWindow.h"

namespace {

QStringList filesUnder(const std::string& dir) {
    QStringList files;
    QDirIterator it(QString::fromStdString(dir), QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    return files;
}

}  // namespace

class StartAndHelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
        QCoreApplication::setApplicationName(QStringLiteral("QRN"));
    }

    void firstRunWithoutShippedDataCreatesNothing() {
        MessageBoxCatcher boxes;
        QVERIFY(!setUpFirstRun(QString()));
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().front().contains(QStringLiteral("share/qrn")),
                 qPrintable(boxes.texts().front()));
        QCOMPARE(filesUnder(dirs_.home().path()), QStringList());
        QVERIFY(!Settings::storeExists());

        // With the shipped data it sets the user up, once.
        QVERIFY(setUpFirstRun(shippedDataDir()));
        QVERIFY(Settings::storeExists());
        const SettingsData values = Settings::readValues();
        QVERIFY(QFile::exists(QString::fromStdString(values.TargetFile)));
        QVERIFY(QFile::exists(QString::fromStdString(values.DisplayXML_MODS)));
        QVERIFY(values.ForumURL.empty());
        QVERIFY(setUpFirstRun(QString()));
        QCOMPARE(boxes.texts().size(), 1);
    }

    // Every picture and link of the manual leads somewhere.
    void manualLinksResolve() {
        const QString file = manualFile(shippedDataDir());
        QVERIFY(!file.isEmpty());
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(in.readAll());
        const QDir dir = QFileInfo(file).dir();
        const QRegularExpression ref(QStringLiteral("(src|href)=\"([^\"]+)\""));
        int images = 0;
        for (auto m = ref.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(2);
            if (target.startsWith(QLatin1Char('#')))
                QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(target.mid(1))),
                         qPrintable(target));
            else
                QVERIFY2(QFileInfo(dir.filePath(target)).isFile(), qPrintable(target));
            images += target.endsWith(QLatin1String(".png")) ? 1 : 0;
        }
        QVERIFY(images > 5);
    }

    void contentsOpensTheManualWithBackForwardAndFind() {
        GuiDocument g;
        CMainFrame frame(g.doc());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.action("Contents")->isEnabled());
        frame.action("Contents")->trigger();
        auto* help = frame.findChild<HelpWindow*>();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QCOMPARE(help->page()->documentTitle(), QStringLiteral("qrn manual"));
        QVERIFY(!help->backAction()->isEnabled());

        // A second Contents raises the same window.
        frame.action("Contents")->trigger();
        QCOMPARE(frame.findChildren<HelpWindow*>().size(), 1);

        const QUrl home = help->page()->source();
        QUrl exportSection = home;
        exportSection.setFragment(QStringLiteral("database"));
        help->page()->setSource(exportSection);
        QVERIFY(help->backAction()->isEnabled());
        help->backAction()->trigger();
        QCOMPARE(help->page()->source(), home);
        QVERIFY(help->forwardAction()->isEnabled());

        QTest::keyClicks(help->findField(), QStringLiteral("connection strings"));
        QTest::keyClick(help->findField(), Qt::Key_Return);
        QCOMPARE(help->page()->textCursor().selectedText().toLower(),
                 QStringLiteral("connection strings"));
        help->findField()->setText(QStringLiteral("no such words in the manual"));
        QVERIFY(!help->findNext());
        grabToFile(help, QStringLiteral("help-window"));
    }

    void forumFollowsItsSetting() {
        GuiDocument plain;
        CMainFrame frame(plain.doc());
        frame.setMenuActionState();
        QVERIFY(!frame.action("Forum")->isEnabled());

        SettingsData withForum = guiSettings();
        withForum.ForumURL = "http://127.0.0.1:9/forum";
        GuiDocument g(withForum);
        CMainFrame forumFrame(g.doc());
        forumFrame.setMenuActionState();
        QVERIFY(forumFrame.action("Forum")->isEnabled());

        // Only web addresses are opened.
        QCOMPARE(forumUrl(" https://127.0.0.1/forum "), QUrl("https://127.0.0.1/forum"));
        for (const char* bad : {"file:///etc/passwd", "javascript:alert(1)", "127.0.0.1/forum",
                                "http://", "mailto:someone"})
            QVERIFY2(forumUrl(bad).isEmpty(), bad);
    }

private:
    // Made before the first settings store is opened: the store's folder is
    // fixed for the process then.
    IsolatedUserDirs dirs_;
};

QTEST_MAIN(StartAndHelpTest)
#include "StartAndHelpTest.moc"
