// A screen reader's stand-in for the benchmarks that run with an accessibility
// bridge on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON under a private D-Bus, see
// scripts/bench-databases-page). It registers for every object event on the
// accessibility bus, as a screen reader does: only then does the bridge send
// its events. It counts the events it hears on a thread of its own, so the
// counting costs the UI thread nothing. Without the bridge it does nothing.
#pragma once

#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QObject>
#include <QThread>
#include <atomic>
#include <cstdio>

class ScreenReaderEar : public QObject {
    Q_OBJECT
public:
    std::atomic<long> heard{0};

public slots:
    void hear(const QDBusMessage&) { heard.fetch_add(1, std::memory_order_relaxed); }
};

class ScreenReader {
public:
    ScreenReader() {
        if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) return;
        QDBusInterface launcher("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus");
        const QString address = launcher.call("GetAddress").arguments().value(0).toString();
        QDBusConnection bus = QDBusConnection::connectToBus(address, "screen-reader");
        QDBusMessage call =
            QDBusMessage::createMethodCall("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                                           "org.a11y.atspi.Registry", "RegisterEvent");
        call << QStringLiteral("object:");
        const QDBusMessage reply = bus.call(call);
        listening_ = reply.type() == QDBusMessage::ReplyMessage;
        std::printf("screen reader listening on the accessibility bus: %s\n",
                    listening_ ? "yes" : qPrintable(reply.errorMessage()));
        ear_.moveToThread(&thread_);
        thread_.start();
        bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"), QString(),
                    &ear_, SLOT(hear(QDBusMessage)));
        // The bridge learns of the listener from a signal.
        for (int i = 0; i < 20; ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ~ScreenReader() {
        thread_.quit();
        thread_.wait();
    }
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    bool listening() const { return listening_; }
    // Object events heard so far.
    long heard() const { return ear_.heard.load(std::memory_order_relaxed); }

private:
    bool listening_ = false;
    QThread thread_;
    ScreenReaderEar ear_;
};
