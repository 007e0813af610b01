#pragma once
// One running calculator per user and display. The first instance listens on a local socket
// named for the user and the display it shows on; a later start on the same display connects to
// it and asks it to come forward, then ends. A start on another display (a second seat, a
// nested or remote session) runs a window of its own there.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace quill {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` is the socket's name; the default is one per user and display.
    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);

    // What a later start asks of the instance it finds.
    enum class Handover { AskToComeForward, Nothing };

    // True when no other instance answers: this one then listens and becomes the first.
    // False when another instance is running; with AskToComeForward it has been asked to
    // come forward. A start that may run beside others (Nothing) leaves the first one alone,
    // and the first one stays the one later starts find.
    bool claim(Handover handover = Handover::AskToComeForward);

    static QString defaultName();
    // One per user alone: of the instances a user runs, the one that holds it keeps the sheet.
    static QString keeperName();

    // The socket name for the runtime folder, the user and a display key (displayKey()).
    static QString nameFor(const QString& runtimeFolder, unsigned uid, const QString& display);
    // The display a window of this process shows on, as a short key usable in a file name:
    // the Wayland display on Wayland, the X11 display (its screen number dropped) on X11,
    // empty when none is known. `platform` is Qt's platform name ("xcb", "wayland", ...).
    static QString displayKey(const QString& platform, const QString& x11Display,
                              const QString& waylandDisplay);

signals:
    // Another start asked this instance to come forward.
    void raiseRequested();

private:
    QString name_;
    QLocalServer server_;
};

} // namespace quill
