#include "window/deferred_call.h"

#include <QCoreApplication>
#include <QEvent>

namespace quill {
namespace {
const QEvent::Type kRun = static_cast<QEvent::Type>(QEvent::registerEventType());
} // namespace

void DeferredCall::request() {
    pending_ = true;
    if (posted_) return;
    posted_ = true;
    // Repaints wait at low priority too and were posted first, so they come before.
    QCoreApplication::postEvent(this, new QEvent(kRun), Qt::LowEventPriority);
}

bool DeferredCall::event(QEvent* event) {
    if (event->type() != kRun) return QObject::event(event);
    posted_ = false;
    if (pending_) {
        pending_ = false;
        call_();
    }
    return true;
}

} // namespace quill
