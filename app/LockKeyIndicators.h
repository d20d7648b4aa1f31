// The status bar's CAP, NUM and SCRL panes, lit from the keyboard's lock
// state where the platform tells it (X11 through XKB), blank elsewhere.
#pragma once

#include <QObject>

class QLabel;
class QStatusBar;
class QTimer;

class LockKeyIndicators : public QObject {
    Q_OBJECT
public:
    explicit LockKeyIndicators(QStatusBar* bar);

    // Reads the lock state now and updates the panes.
    void refresh();

    QLabel* caps() const { return caps_; }
    QLabel* num() const { return num_; }
    QLabel* scroll() const { return scroll_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caps_;
    QLabel* num_;
    QLabel* scroll_;
    QTimer* poll_;
};
