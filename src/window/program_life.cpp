#include "window/program_life.h"

#include "window/frmMain.h"
#include "window/quit_signals.h"
#include "window/single_instance.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

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
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, w,
                     [w] { w->closeWithoutAsking(); });
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

namespace {

void typeCharacter(QWidget* target, QChar c) {
    const bool enter = c == QLatin1Char('\n');
    const int key = enter          ? int(Qt::Key_Return)
                    : c.isLetter() ? c.toUpper().unicode()
                                   : c.unicode();
    const QString text = enter ? QStringLiteral("\r") : QString(c);
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &event);
    }
}

} // namespace

void typeStandardInput(QWidget* target) {
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, target);
    QPointer<QWidget> guarded(target);
    QObject::connect(notifier, &QSocketNotifier::activated, target, [notifier, guarded] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            notifier->setEnabled(false); // the end of the input, or no input at all
            return;
        }
        if (!guarded) return;
        for (QChar c : QString::fromUtf8(buffer, n)) typeCharacter(guarded, c);
    });
}

} // namespace quill
