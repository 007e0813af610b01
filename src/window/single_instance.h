#pragma once
// One running calculator per user. The first instance listens on a local socket named for the
// user; a later start connects to it and asks it to come forward, then ends. Plain Unix
// sockets watched by the event loop: start-up loads no network library for this.
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace quill {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` is the socket's name; the default is one per user.
    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);
    // The first instance removes its socket.
    ~SingleInstance() override;

    // What a later start asks of the instance it finds.
    enum class Handover { AskToComeForward, Nothing };

    // True when no other instance answers: this one then listens and becomes the first.
    // False when another instance is running; with AskToComeForward it has been asked to
    // come forward. A start that may run beside others (Nothing) leaves the first one alone,
    // and the first one stays the one later starts find.
    bool claim(Handover handover = Handover::AskToComeForward);

    static QString defaultName();

signals:
    // Another start asked this instance to come forward.
    void raiseRequested();

private:
    void listen();
    void acceptPeers();

    QString name_;
    int listener_ = -1;
    QSocketNotifier* accepting_ = nullptr;
};

} // namespace quill
