#include "window/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace quill {
namespace {

constexpr int kConnectMs = 500;
const QByteArray kRaise = "raise\n";

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains("raise")) emit raiseRequested();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
}

QString SingleInstance::defaultName() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return QDir(runtime).filePath(QStringLiteral("quillsum-%1.sock").arg(getuid()));
}

bool SingleInstance::claim(Handover handover) {
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(kConnectMs)) {
        if (handover == Handover::AskToComeForward) {
            probe.write(kRaise);
            probe.waitForBytesWritten(kConnectMs);
        }
        probe.disconnectFromServer();
        return false;
    }
    // Nobody answers: a socket left by an instance that died is stale.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(name_);
    return true;
}

} // namespace quill
