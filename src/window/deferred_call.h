#pragma once
// Runs a function once the events already waiting have been handled, the repaints among them:
// a typed character shows before the work it starts, and any number of requests made before
// then run the function once.
#include <QObject>
#include <functional>

namespace quill {

class DeferredCall : public QObject {
    Q_OBJECT
public:
    DeferredCall(QObject* parent, std::function<void()> call)
        : QObject(parent), call_(std::move(call)) {}

    void request();
    // The work was done some other way; a waiting request does nothing.
    void cancel() { pending_ = false; }
    bool pending() const { return pending_; }

protected:
    bool event(QEvent* event) override;

private:
    std::function<void()> call_;
    bool pending_ = false;
    bool posted_ = false;
};

} // namespace quill
