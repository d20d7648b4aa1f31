// The pacing of list refills as targets finish: one per interval while
// others run, the last at once, and none for finished events queued after it.
#include <QTest>

#include "views/RefillPacing.h"

class RefillPacingTest : public QObject {
    Q_OBJECT
private slots:
    void pacesWhileOthersRunAndRefillsTheLastAtOnce() {
        int refills = 0;
        RefillPacing* pacing = nullptr;
        RefillPacing p(
            [&] {
                ++refills;
                pacing->refilled();
            },
            nullptr);
        pacing = &p;
        p.targetFinished(true, 0);
        QCOMPARE(refills, 1);
        // Finishes close together wait for one refill.
        p.targetFinished(true, 0);
        p.targetFinished(true, 0);
        QCOMPARE(refills, 1);
        QTRY_COMPARE_WITH_TIMEOUT(refills, 2, 5000);
        // The last target's refill is not held back by the one just made.
        p.targetFinished(true, 0);
        QCOMPARE(refills, 2);
        p.targetFinished(false, 0);
        QCOMPARE(refills, 3);
        // The waiting one was made by it.
        QTest::qWait(300);
        QCOMPARE(refills, 3);
    }

    void finishedEventsQueuedAfterTheLastRefillNothing() {
        int refills = 0;
        RefillPacing p([&] { ++refills; }, nullptr);
        p.targetFinished(false, 10);
        QCOMPARE(refills, 1);
        for (int i = 0; i < 5; ++i) p.targetFinished(false, 10);
        QCOMPARE(refills, 1);
        // Records stored since (a resumed target's) refill again, as does a new search.
        p.targetFinished(false, 12);
        QCOMPARE(refills, 2);
        p.targetFinished(false, 12);
        QCOMPARE(refills, 2);
        p.reset();
        p.targetFinished(false, 12);
        QCOMPARE(refills, 3);
    }
};

QTEST_MAIN(RefillPacingTest)
#include "RefillPacingTest.moc"
