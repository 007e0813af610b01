#include "app/first_paint.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace quill {

namespace {

class FirstPaintHook : public QObject {
public:
    FirstPaintHook(QWidget* window, std::function<void()> work)
        : QObject(window), work_(std::move(work)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the paint this event starts is finished and flushed before the work.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    work_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

void afterFirstPaint(QWidget* window, std::function<void()> work) {
    new FirstPaintHook(window, std::move(work));
}

} // namespace quill
