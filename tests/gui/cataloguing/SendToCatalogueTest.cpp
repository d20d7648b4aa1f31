// Send to Catalogue against a Zebra that takes records: asked first, a match
// answered with Overlay, a report line per record; Cancel before sending.
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GuiSupport.h"
#include "MarcBuilder.h"
#include "TestSettings.h"
#include "TestSupport.h"
#include "WritableZebra.h"
#include "send/widgets/SendToCatalogueDialog.h"

namespace {

std::string book(const std::string& number, const std::string& title, const std::string& isbn) {
    MarcBuilder b;
    b.control("001", number).control("003", "DLC");
    if (!isbn.empty()) b.data("020", "  ", {{'a', isbn}});
    return b.data("245", "10", {{'a', title}}).build();
}

QPushButton* button(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

}  // namespace

class SendToCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        writeFileBytes(seed_.file("seed.mrc"), book("cat-1", "Lighthouse keeping", "9780306406157"));
        zebra_ = writableZebra({seed_.file("seed.mrc")});
        home_.name = "Home";
        home_.zurl = zebra_->zurl("Default");
        home_.recsyntax = "usmarc";
        home_.elementsetname = "F";
        home_.username = "admin";
        home_.password = "secret";
    }
    void cleanupTestCase() { zebra_.reset(); }

    void sendsAfterAskingAndReportsEachRecord() {
        SendToCatalogueDialog dialog(home_, settings_,
                                     {book("n-1", "Tide tables", ""),
                                      book("lc-1", "Lighthouse keeping, revised", "0306406152")});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        grabToFile(&dialog, "SendToCatalogueAsk");
        QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);

        // The question runs its own event loop: answer it from a timer.
        QString question;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            question = box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == "&Overlay") QTest::mouseClick(b, Qt::LeftButton);
        });
        answer.start(50);
        QTRY_COMPARE_WITH_TIMEOUT(dialog.reportLines().size(), 2, 20000);
        QCOMPARE(dialog.reportLines().at(0), QString("1\tTide tables\tinserted"));
        QCOMPARE(dialog.reportLines().at(1), QString("2\tLighthouse keeping, revised\treplaced cat-1"));
        QVERIFY2(question.contains("Lighthouse keeping (cat-1)"), qPrintable(question));
        QTRY_VERIFY(button(dialog, QDialogButtonBox::Close));
        grabToFile(&dialog, "SendToCatalogueReport");
    }

    void cancelBeforeSendingSendsNothing() {
        SendToCatalogueDialog dialog(home_, settings_, {book("c-1", "Never sent", "")});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(button(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.reportLines().isEmpty());
    }

private:
    TempDir seed_;
    std::unique_ptr<ZebraServer> zebra_;
    Target home_;
    SettingsData settings_ = searchSettings();
};

QTEST_MAIN(SendToCatalogueTest)
#include "SendToCatalogueTest.moc"
