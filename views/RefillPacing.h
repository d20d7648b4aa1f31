// Paces the list refills that finishing targets ask for: hundreds of targets
// finishing close together would each rebuild the whole list on the UI
// thread. While others still run, one refill per interval keeps up; the last
// target's is never held back, and the finished events still queued behind
// it refill nothing more.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <cstddef>
#include <functional>

class QTimer;

class RefillPacing : public QObject {
public:
    RefillPacing(std::function<void()> refill, QObject* parent);

    // A target finished; othersRunning: some target has not finished yet;
    // stored: how many records the store holds.
    void targetFinished(bool othersRunning, size_t stored);
    // Called by every refill, asked for here or not: a waiting one is done.
    void refilled();
    // A new search: nothing waits, and the next finish refills at once.
    void reset();

private:
    std::function<void()> refill_;
    QTimer* timer_;
    QElapsedTimer last_;
    // Every target had finished at the last refill, with settledAt_ records.
    bool settled_ = false;
    size_t settledAt_ = 0;
};
