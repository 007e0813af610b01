#include "window/program_life.h"

#include "window/frmMain.h"
#include "window/quit_signals.h"
#include "window/single_instance.h"

#include <QApplication>
#include <QEvent>
#include <QSessionManager>
#include <cstdio>

namespace quill {

namespace {

// Watches the window until its first paint, then reports once the event loop is idle again
// (the paint and the flush to the screen are done by then).
class FirstFrameProbe : public QObject {
public:
    explicit FirstFrameProbe(QWidget* window) : QObject(window) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    std::fputs("quillsum: shown\n", stdout);
                    std::fflush(stdout);
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool reported_ = false;
};

} // namespace

void closeWithTheProgram(frmMain& window, QuitSignals& quitSignals) {
    frmMain* w = &window;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, w, [w] { w->close(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, w,
                     [w](QSessionManager&) { w->saveSettings(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, w, [w] { w->Form_Unload(); });
}

void answerSecondStarts(frmMain& window, SingleInstance& instance) {
    frmMain* w = &window;
    QObject::connect(&instance, &SingleInstance::raiseRequested, w,
                     [w] { w->answerSecondStart(); });
}

void reportFirstFrame(QWidget* window) {
    new FirstFrameProbe(window);
}

} // namespace quill
