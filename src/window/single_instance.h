#pragma once
// One running calculator per user. The first instance listens on a local socket named for the
// user; a later start connects to it and asks it to come forward, then ends.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace quill {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` is the socket's name; the default is one per user.
    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);

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
    QString name_;
    QLocalServer server_;
};

} // namespace quill
