#include "app/LockKeyIndicators.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "app/XkbIndicators.h"

namespace {

struct LockState {
    bool known = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

LockState readLockState() {
    LockState state;
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    unsigned int indicators = 0;
    if (x11 && readXkbIndicators(x11->display(), indicators)) {
        state.known = true;
        state.caps = indicators & 0x1;
        state.num = indicators & 0x2;
        state.scroll = indicators & 0x4;
    }
    return state;
}

QLabel* indicator(QStatusBar* bar, const QString& text) {
    auto* label = new QLabel(bar);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
    label->setProperty("indicatorText", text);
    bar->addPermanentWidget(label);
    return label;
}

}  // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* bar)
    : QObject(bar),
      caps_(indicator(bar, QStringLiteral("CAP"))),
      num_(indicator(bar, QStringLiteral("NUM"))),
      scroll_(indicator(bar, QStringLiteral("SCRL"))),
      poll_(new QTimer(this)) {
    if (qApp) qApp->installEventFilter(this);
    // Lock keys pressed in another window change the state too.
    poll_->setInterval(1000);
    connect(poll_, &QTimer::timeout, this, &LockKeyIndicators::refresh);
    if (readLockState().known) poll_->start();
    refresh();
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &LockKeyIndicators::refresh);
    return QObject::eventFilter(watched, event);
}

void LockKeyIndicators::refresh() {
    const LockState state = readLockState();
    const auto show = [](QLabel* label, bool lit) {
        label->setText(lit ? label->property("indicatorText").toString() : QString());
    };
    show(caps_, state.caps);
    show(num_, state.num);
    show(scroll_, state.scroll);
}
