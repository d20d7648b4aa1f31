#include "app/QueuedSearchEventSink.h"

#include <QMetaObject>

QueuedSearchEventSink::QueuedSearchEventSink(QObject* receiver, Handler handler)
    : receiver_(receiver), handler_(std::move(handler)) {}

void QueuedSearchEventSink::postSearchEvent(int32_t code, int32_t targetId) {
    Handler handler = handler_;
    QMetaObject::invokeMethod(
        receiver_, [handler, code, targetId] { handler(code, targetId); }, Qt::QueuedConnection);
}
