// Hands search events from worker threads to the UI thread as queued calls:
// they arrive in posting order, and none arrives after the receiver is gone.
#pragma once

#include <QObject>
#include <functional>

#include "search/SearchEvent.h"

class QueuedSearchEventSink : public SearchEventSink {
public:
    using Handler = std::function<void(int32_t code, int32_t targetId)>;

    // handler runs on receiver's thread. The receiver must outlive every
    // worker that may post (the document joins its workers first).
    QueuedSearchEventSink(QObject* receiver, Handler handler);

    // Any thread; never blocks.
    void postSearchEvent(int32_t code, int32_t targetId) override;

private:
    QObject* receiver_;
    Handler handler_;
};
