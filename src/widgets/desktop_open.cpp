#include "widgets/desktop_open.h"

#include <QDesktopServices>
#include <QThread>
#include <atomic>

namespace quill {
namespace {

QtMessageHandler previousHandler = nullptr;
std::atomic<QThread*> quietThread{nullptr};

// Warnings of the thread that is opening are Qt's notes on the failure; everything else goes
// on to the handler that was there before.
void dropOpenerNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && QThread::currentThread() == quietThread.load()) return;
    if (previousHandler) previousHandler(type, context, message);
}

} // namespace

bool openWithDesktop(const QUrl& url) {
    quietThread = QThread::currentThread();
    previousHandler = qInstallMessageHandler(dropOpenerNotes);
    const bool opened = QDesktopServices::openUrl(url);
    qInstallMessageHandler(previousHandler);
    quietThread = nullptr;
    return opened;
}

} // namespace quill
