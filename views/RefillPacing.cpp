#include "views/RefillPacing.h"

#include <QTimer>

namespace {
constexpr qint64 kIntervalMs = 200;
}

RefillPacing::RefillPacing(std::function<void()> refill, QObject* parent)
    : QObject(parent), refill_(std::move(refill)), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { refill_(); });
}

void RefillPacing::targetFinished(bool othersRunning, size_t stored) {
    if (!othersRunning && settled_ && stored == settledAt_) return;
    if (othersRunning && last_.isValid() && last_.elapsed() < kIntervalMs) {
        if (!timer_->isActive()) timer_->start(static_cast<int>(kIntervalMs - last_.elapsed()));
        return;
    }
    refill_();
    settled_ = !othersRunning;
    settledAt_ = stored;
}

void RefillPacing::refilled() {
    timer_->stop();
    last_.start();
}

void RefillPacing::reset() {
    timer_->stop();
    last_.invalidate();
    settled_ = false;
}
