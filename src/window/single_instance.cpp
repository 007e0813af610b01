#include "window/single_instance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <functional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quill {
namespace {

constexpr int kConnectMs = 500;
constexpr char kRaise[] = "raise\n";

// The socket address of a path; false when the path does not fit.
bool socketAddress(const QString& name, sockaddr_un& address) {
    const QByteArray path = QFile::encodeName(name);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

int unixSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

bool waitFor(int fd, short events) {
    pollfd p{fd, events, 0};
    int n;
    do n = ::poll(&p, 1, kConnectMs);
    while (n < 0 && errno == EINTR);
    return n > 0 && (p.revents & events);
}

// Connected to the instance listening on `name`, or -1 when none answers in time.
int connectTo(const QString& name) {
    sockaddr_un address;
    if (!socketAddress(name, address)) return -1;
    const int fd = unixSocket();
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    // A listener whose queue is full answers once it has taken the waiting starts.
    int error = 0;
    socklen_t length = sizeof error;
    if ((errno == EAGAIN || errno == EINPROGRESS) && waitFor(fd, POLLOUT) &&
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
        return fd;
    ::close(fd);
    return -1;
}

void sendAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n > 0) {
            data += n;
            size -= size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN && waitFor(fd, POLLOUT)) {
            continue;
        } else {
            return;
        }
    }
}

// One connected later start: reads what it sends until it hangs up.
class Peer : public QObject {
public:
    Peer(int fd, SingleInstance* instance, std::function<void()> raise)
        : QObject(instance), fd_(fd), notifier_(fd, QSocketNotifier::Read, this),
          raise_(std::move(raise)) {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] { read(); });
    }
    ~Peer() override { ::close(fd_); }

private:
    void read() {
        char buffer[256];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (n <= 0) {
            notifier_.setEnabled(false);
            deleteLater();
            return;
        }
        if (QByteArray::fromRawData(buffer, qsizetype(n)).contains("raise")) raise_();
    }

    int fd_;
    QSocketNotifier notifier_;
    std::function<void()> raise_;
};

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() {
    if (listener_ < 0) return;
    ::close(listener_);
    QFile::remove(name_);
}

QString SingleInstance::defaultName() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return QDir(runtime).filePath(QStringLiteral("quillsum-%1.sock").arg(getuid()));
}

bool SingleInstance::claim(Handover handover) {
    if (const int probe = connectTo(name_); probe >= 0) {
        if (handover == Handover::AskToComeForward) sendAll(probe, kRaise, sizeof kRaise - 1);
        ::close(probe);
        return false;
    }
    listen();
    return true;
}

// Nobody answers: a socket left by an instance that died is stale and goes. The socket is
// the user's alone. Without a socket (a path too long, a folder not writable) this instance
// runs on unannounced.
void SingleInstance::listen() {
    sockaddr_un address;
    if (!socketAddress(name_, address)) return;
    QFile::remove(name_);
    const int fd = unixSocket();
    if (fd < 0) return;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return;
    }
    ::chmod(address.sun_path, S_IRUSR | S_IWUSR);
    if (::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        QFile::remove(name_);
        return;
    }
    listener_ = fd;
    accepting_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(accepting_, &QSocketNotifier::activated, this, &SingleInstance::acceptPeers);
}

void SingleInstance::acceptPeers() {
    for (;;) {
        const int peer = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (peer < 0) {
            if (errno == EINTR) continue;
            return;
        }
        new Peer(peer, this, [this] { emit raiseRequested(); });
    }
}

} // namespace quill
