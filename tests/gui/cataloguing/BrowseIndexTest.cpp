// The Browse window over a real Zebra by Z39.50 and by SRU, and a target that
// cannot be reached: terms side by side, paging by keys, and a search of a term.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "app/CMainFrame.h"
#include "browse/BrowseTermsModel.h"
#include "browse/MBrowseWindow.h"
#include "views/MRecordListView.h"
#include "views/RecordListModel.h"

class BrowseIndexTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    std::unique_ptr<ZebraServer> zebra_;
    std::unique_ptr<GuiDocument> g_;
    std::unique_ptr<CMainFrame> frame_;
    MBrowseWindow* browse_ = nullptr;

    BrowseTermsModel* model() { return browse_->model(); }
    QTableView* view() { return browse_->findChild<QTableView*>(); }
    QString term(int row) { return model()->index(row, 0).data().toString(); }
    QString count(int row, int target) { return model()->index(row, target).data().toString(); }
    // The next list shown, after key at the view.
    bool pageWith(Qt::Key key) {
        QSignalSpy scanned(browse_, &MBrowseWindow::scanned);
        QTest::keyClick(view(), key);
        return scanned.wait(10000);
    }

private slots:
    void initTestCase() {
        zebra_ = ZebraServer::withDemoCorpus();
        g_ = std::make_unique<GuiDocument>(guiSettings(100));
        g_->addTarget("Z39.50", zebra_->zurl("Default"));
        g_->addTarget("SRU", zebra_->sruUrl(), true, "marcxml", "");
        g_->addTarget("Closed", "127.0.0.1:1/Default");
        g_->addTarget("Unticked", zebra_->zurl("Default"), false);
        frame_ = std::make_unique<CMainFrame>(g_->doc());
        frame_->show();
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    }
    void cleanupTestCase() {
        frame_.reset();
        g_.reset();
    }

    void opensFromTheFileMenuKeyWithAColumnPerTickedTarget() {
        QTest::keyClick(frame_.get(), Qt::Key_I, Qt::ControlModifier);
        QTRY_VERIFY((browse_ = frame_->findChild<MBrowseWindow*>()) != nullptr);
        QTRY_VERIFY(browse_->isVisible());
        QCOMPARE(model()->columnCount(), 4);
    }

    void listsTheTermsFromTheStartTermWithCountsSideBySide() {
        auto* index = browse_->findChild<QComboBox*>();
        index->setCurrentIndex(index->findText(QStringLiteral("Title")));
        auto* start = browse_->findChild<QLineEdit*>();
        start->setFocus();
        QTest::keyClicks(start, QStringLiteral("m"));
        QSignalSpy scanned(browse_, &MBrowseWindow::scanned);
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY(scanned.wait(10000));
        QCOMPARE(model()->rowCount(), int(MBrowseWindow::kTerms));
        QVERIFY(term(0).toLower() >= QStringLiteral("m"));
        for (int row = 0; row < model()->rowCount(); ++row) {
            QVERIFY2(!count(row, 1).isEmpty(), qPrintable(term(row)));
            QCOMPARE(count(row, 2), count(row, 1));
            QCOMPARE(count(row, 3), QString());
        }
        const QString closed = model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString();
        QVERIFY2(closed.startsWith(QStringLiteral("Closed\nConnect failed")), qPrintable(closed));
        browse_->resize(700, 520);
        grabToFile(browse_, QStringLiteral("browse-index"));
    }

    void pagesForwardAndBackByKeys() {
        view()->setFocus();
        const QString first = term(0);
        const QString last = term(model()->rowCount() - 1);
        QVERIFY(pageWith(Qt::Key_PageDown));
        QCOMPARE(term(0), last);
        QVERIFY(term(1) > last);
        QVERIFY(pageWith(Qt::Key_PageUp));
        QCOMPARE(term(model()->rowCount() - 1), last);
        QCOMPARE(term(0), first);
        // The arrow past the last row goes on from it.
        QCOMPARE(view()->currentIndex().row(), model()->rowCount() - 1);
        QVERIFY(pageWith(Qt::Key_Down));
        QCOMPARE(term(0), last);
    }

    void enterSearchesTheTermOnTheTickedTargets() {
        // From "m" again: Zebra's raw form of "mémoire" finds nothing, its
        // display form what the counts say.
        auto* start = browse_->findChild<QLineEdit*>();
        QSignalSpy scanned(browse_, &MBrowseWindow::scanned);
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY(scanned.wait(10000));
        QCOMPARE(term(0), QStringLiteral("m\u00e9moire"));
        QVERIFY(model()->row(0)->raw != term(0).toStdString());
        const int expected = count(0, 1).toInt() + count(0, 2).toInt();
        QVERIFY(expected > 0);
        view()->setFocus();
        QTest::keyClick(view(), Qt::Key_Return);
        QVERIFY(g_->settle());
        QCOMPARE(frame_->recordListView()->model().rowCount(), expected);
        // A double click searches too.
        const QRect cell = view()->visualRect(model()->index(1, 0));
        QSignalSpy asked(browse_, &MBrowseWindow::searchRequested);
        // Qt's item views take a double click only after a first click.
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0][0].toString(), QStringLiteral("@attr 1=4 \"maps\""));
        QVERIFY(g_->settle());
        QCOMPARE(frame_->recordListView()->model().rowCount(),
                 count(1, 1).toInt() + count(1, 2).toInt());
    }
};

QTEST_MAIN(BrowseIndexTest)
#include "BrowseIndexTest.moc"
