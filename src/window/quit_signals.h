#pragma once
// SIGTERM and SIGINT become an ordinary request to close the main window, so that the close
// sequence saves the settings however the program is asked to end. The signal handler only
// writes a byte to a socket pair; the event loop turns it into quitRequested().
#include <QObject>

class QSocketNotifier;

namespace quill {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested(int signalNumber);

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace quill
