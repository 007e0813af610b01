#include "window/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>
#include <unistd.h>

namespace quill {
namespace {

constexpr int kConnectMs = 500;
const QByteArray kRaise = "raise\n";
// Socket paths are short (108 bytes on Linux): longer display keys are replaced by a hash.
constexpr qsizetype kLongestKey = 32;

QString runtimeFolder() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

// ":0.1" and ":0" are screens of one display: the screen number is dropped.
QString withoutScreen(QString display) {
    static const QRegularExpression screen(QStringLiteral("(:\\d+)\\.\\d+$"));
    return display.replace(screen, QStringLiteral("\\1"));
}

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

QString SingleInstance::displayKey(const QString& platform, const QString& x11Display,
                                   const QString& waylandDisplay) {
    const bool wayland = platform.startsWith(QLatin1String("wayland")) ||
                         (platform.isEmpty() && !waylandDisplay.isEmpty());
    QString key = wayland ? QStringLiteral("wl") + waylandDisplay
                          : (x11Display.isEmpty() ? QString() : withoutScreen(x11Display));
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._:-]"));
    key.replace(unsafe, QStringLiteral("_"));
    if (key.size() > kLongestKey)
        key = QString::fromLatin1(
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    return key;
}

QString SingleInstance::nameFor(const QString& runtime, unsigned uid, const QString& display) {
    const QString user = QString::number(uid);
    return QDir(runtime).filePath(display.isEmpty()
                                      ? QStringLiteral("quillsum-%1.sock").arg(user)
                                      : QStringLiteral("quillsum-%1-%2.sock").arg(user, display));
}

QString SingleInstance::defaultName() {
    const QString platform = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                 ? QGuiApplication::platformName()
                                 : QString();
    return nameFor(runtimeFolder(), getuid(),
                   displayKey(platform, qEnvironmentVariable("DISPLAY"),
                              qEnvironmentVariable("WAYLAND_DISPLAY")));
}

QString SingleInstance::keeperName() {
    // No display key looks like this one: an X11 key holds a colon, a Wayland key starts "wl".
    return nameFor(runtimeFolder(), getuid(), QStringLiteral("sheet"));
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
