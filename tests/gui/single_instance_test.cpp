// One instance per user and display, and quit signals turned into ordinary close requests.
#include "window/quit_signals.h"
#include "window/single_instance.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(SingleInstance, SecondStartAsksTheFirstToComeForward) {
    QTemporaryDir dir;
    QString name = dir.filePath("instance.sock");
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(raised.wait(2000));
}

TEST(SingleInstance, StaleSocketOfADeadInstanceIsTakenOver) {
    QTemporaryDir dir;
    QString name = dir.filePath("instance.sock");
    {
        SingleInstance gone(name);
        ASSERT_TRUE(gone.claim());
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.claim());
}

// Starts find the running copy on the same display only: a start on a second display (a second
// seat, a nested or remote session) runs beside it instead of handing over to a window the
// user cannot see.
TEST(SingleInstance, IsKeyedByTheUserAndTheDisplay) {
    const struct {
        const char* name;
        QString platform, x11, wayland;
        QString key;
    } rows[] = {
        {"X11", "xcb", ":0", "", ":0"},
        {"X11, a screen of it", "xcb", ":0.1", "", ":0"},
        {"X11, a second display", "xcb", ":1", "", ":1"},
        {"X11 forwarded", "xcb", "localhost:10.0", "", "localhost:10"},
        {"X11 under Wayland", "xcb", ":0", "wayland-0", ":0"},
        {"Wayland", "wayland", ":0", "wayland-0", "wlwayland-0"},
        {"Wayland, a nested one", "wayland", ":0", "wayland-1", "wlwayland-1"},
        {"Wayland by path", "wayland", "", "/run/user/1000/wayland-0",
         "wl_run_user_1000_wayland-0"},
        {"no platform yet", "", "", "wayland-0", "wlwayland-0"},
        {"no display", "offscreen", "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SingleInstance::displayKey(row.platform, row.x11, row.wayland), row.key);
    }
    const QString longPath = "/run/user/1000/" + QString(80, u'w');
    const QString longKey = SingleInstance::displayKey("wayland", "", longPath);
    EXPECT_LE(longKey.size(), 32) << "a socket path has room for 108 bytes only";
    EXPECT_NE(longKey, SingleInstance::displayKey("wayland", "", longPath + "2"));

    QTemporaryDir dir;
    const QString onFirst = SingleInstance::nameFor(dir.path(), 1000, ":0");
    const QString onSecond = SingleInstance::nameFor(dir.path(), 1000, ":1");
    EXPECT_NE(onFirst, SingleInstance::nameFor(dir.path(), 1001, ":0")) << "another user";
    SingleInstance first(onFirst);
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    SingleInstance second(onSecond);
    EXPECT_TRUE(second.claim()) << "the second display gets a window of its own";
    SingleInstance again(onFirst);
    EXPECT_FALSE(again.claim()) << "the first display's copy is asked to come forward";
    EXPECT_TRUE(raised.wait(2000));
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
