// One instance per user, and quit signals turned into ordinary close requests.
#include "window/quit_signals.h"
#include "window/single_instance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace quill {
namespace {

// A later start finds the first: it is asked to come forward only when the later start asks
// for that, and it stays the one that later starts find.
TEST(SingleInstance, LaterStartsFindTheFirst) {
    using H = SingleInstance::Handover;
    const struct {
        std::vector<H> later;
        int raised;
    } rows[] = {
        {{H::AskToComeForward}, 1},
        {{H::Nothing}, 0},
        {{H::Nothing, H::AskToComeForward}, 1},
        {{H::AskToComeForward, H::AskToComeForward, H::Nothing}, 2},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QString name = dir.filePath("instance.sock");
        SingleInstance first(name);
        ASSERT_TRUE(first.claim());
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);
        for (H handover : row.later) EXPECT_FALSE(SingleInstance(name).claim(handover));
        QElapsedTimer waited;
        waited.start();
        while (raised.count() < row.raised && waited.elapsed() < 5000) raised.wait(50);
        // A hand-over that was not asked for would arrive with the others.
        QTest::qWait(50);
        EXPECT_EQ(raised.count(), row.raised) << row.later.size() << " later starts";
    }
}

TEST(SingleInstance, SocketIsTheUsersAloneAndGoesWithTheFirst) {
    QTemporaryDir dir;
    const QString name = dir.filePath("instance.sock");
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.claim());
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(name).constData(), &info), 0);
        EXPECT_TRUE(S_ISSOCK(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
    EXPECT_FALSE(QFile::exists(name));
}

// An instance that died leaves its socket with nobody listening (or a plain file); the next
// start takes the name over and is found by the one after.
TEST(SingleInstance, StaleSocketOfADeadInstanceIsTakenOver) {
    for (bool plainFile : {false, true}) {
        QTemporaryDir dir;
        const QString name = dir.filePath("instance.sock");
        const QByteArray path = QFile::encodeName(name);
        if (plainFile) {
            QFile file(name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        } else {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
            ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
            ::close(fd);
        }
        SingleInstance next(name);
        EXPECT_TRUE(next.claim()) << plainFile;
        QSignalSpy raised(&next, &SingleInstance::raiseRequested);
        EXPECT_FALSE(SingleInstance(name).claim());
        EXPECT_TRUE(raised.wait(2000)) << plainFile;
    }
}

TEST(QuitSignals, TermAndIntBecomeQuitRequests) {
    QuitSignals quit;
    QSignalSpy spy(&quit, &QuitSignals::quitRequested);
    std::raise(SIGTERM);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.takeFirst().at(0).toInt(), SIGTERM);
    std::raise(SIGINT);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.takeFirst().at(0).toInt(), SIGINT);
}

} // namespace
} // namespace quill
