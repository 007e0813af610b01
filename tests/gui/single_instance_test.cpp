// One instance per user, and quit signals turned into ordinary close requests.
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
