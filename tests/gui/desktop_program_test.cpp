// The real quillsum program on the offscreen platform, in a program folder of the test's own:
// a quit signal ends it through the close sequence, and a second start hands over to the
// first one.
#include "gui_fixture.h"
#include "settings/button_positions.h"
#include "settings/settings.h"
#include "temp_folder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <csignal>
#include <fstream>
#include <sstream>

namespace quill::test {
namespace {

#ifdef QUILLSUM_PROGRAM

constexpr int kWaitMs = 10000;

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class DesktopProgram : public GuiTest {
protected:
    void TearDown() override {
        for (auto& p : programs_)
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(kWaitMs);
            }
        GuiTest::TearDown();
    }

    // Starts quillsum on this test's program folder (and, through the test main, its own
    // instance socket folder).
    QProcess& launch() {
        auto& p = programs_.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUILL_PROGRAM_FOLDER", QString::fromStdString(folder().string()));
        env.insert("QUILL_REPORT_FIRST_FRAME", "1");
        env.insert("QUILL_TYPE_STDIN", "1");
        p->setProcessEnvironment(env);
        p->setStandardErrorFile(QProcess::nullDevice());
        p->start(QStringLiteral(QUILLSUM_PROGRAM), {});
        return *p;
    }

    static bool waitUntilShown(QProcess& p) {
        QByteArray out;
        while (!out.contains("quillsum: shown")) {
            if (!p.waitForReadyRead(kWaitMs)) return false;
            out += p.readAllStandardOutput();
        }
        return true;
    }

    static void endWith(QProcess& p, int signalNumber) {
        ::kill(pid_t(p.processId()), signalNumber);
        ASSERT_TRUE(p.waitForFinished(kWaitMs));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "the signal ends it normally";
        EXPECT_EQ(p.exitCode(), 0);
    }

    std::vector<std::unique_ptr<QProcess>> programs_;
};

TEST_F(DesktopProgram, a_quit_signal_runs_the_close_sequence) {
    for (int signalNumber : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        std::filesystem::remove(iniFile());
        QProcess& p = launch();
        ASSERT_TRUE(waitUntilShown(p));
        endWith(p, signalNumber);

        const Settings settings(iniFile());
        EXPECT_EQ(settings.transparency(), 255);
        EXPECT_EQ(settings.recalc(), Recalc::OnEnter);
        EXPECT_TRUE(settings.statusBar());
        EXPECT_EQ(LoadWindowPos(settings).rect->width, 6480) << "432 pixels";
        EXPECT_EQ(readPositionList(settings.numPos(), kNumPosCount).positions.size(), kNumPosCount);
        EXPECT_EQ(readPositionList(settings.menuPos(), kMenuPosCount).positions.size(),
                  kMenuPosCount);
        EXPECT_EQ(readPositionList(settings.opPos(), kOpPosCount).positions.size(), kOpPosCount);
        EXPECT_NE(fileText(iniFile()).find("BtnSize=4"), std::string::npos);
    }
}

TEST_F(DesktopProgram, a_second_start_hands_over_and_ends_without_writing) {
    writeIni("[Calc]\nPI=0\nketa=3\n");
    const std::string before = fileText(iniFile());
    QProcess& first = launch();
    ASSERT_TRUE(waitUntilShown(first));

    QProcess& second = launch();
    ASSERT_TRUE(second.waitForFinished(kWaitMs));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(second.readAllStandardOutput().contains("shown")) << "no window of its own";
    EXPECT_EQ(fileText(iniFile()), before);
    EXPECT_EQ(first.state(), QProcess::Running);
    endWith(first, SIGTERM);
}

// Typed into the program as a keyboard would; a line break is Enter.
void type(QProcess& p, const char* keys) {
    p.write(keys);
    p.waitForBytesWritten(kWaitMs);
}

bool waitForFile(const std::filesystem::path& file, const std::string& content) {
    for (int i = 0; i < kWaitMs / 20 && fileText(file) != content; ++i) QThread::msleep(20);
    return fileText(file) == content;
}

TEST_F(DesktopProgram, a_kill_during_typing_loses_at_most_the_last_seconds) {
    const auto kept = folder() / "sheet.txt";
    QProcess& first = launch();
    ASSERT_TRUE(waitUntilShown(first));
    type(first, "1,200\n+ 300\n");
    ASSERT_TRUE(waitForFile(kept, "1,200\n+ 300\n\n")) << fileText(kept);
    type(first, "* 2");
    ::kill(pid_t(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(kWaitMs));
    EXPECT_TRUE(fileText(kept).starts_with("1,200\n+ 300\n")) << "all but the last keys";

    // The next start puts it back; its close sequence writes the same sheet again.
    test::writeBytes(kept, "1,200\n+ 300\n\n");
    QProcess& second = launch();
    ASSERT_TRUE(waitUntilShown(second));
    std::filesystem::remove(kept);
    endWith(second, SIGTERM);
    EXPECT_EQ(fileText(kept), "1,200\n+ 300\n\n");
}

TEST_F(DesktopProgram, several_instances_run_side_by_side_with_pi_on) {
    writeIni("[Calc]\nPI=1\n");
    QProcess& first = launch();
    ASSERT_TRUE(waitUntilShown(first));
    QProcess& second = launch();
    EXPECT_TRUE(waitUntilShown(second));
    type(second, "7\n");
    endWith(second, SIGTERM);
    EXPECT_FALSE(std::filesystem::exists(folder() / "sheet.txt")) << "only the first keeps it";
    endWith(first, SIGTERM);
    EXPECT_TRUE(std::filesystem::exists(folder() / "sheet.txt"));
}

#else

TEST(DesktopProgram, needs_the_program) {
    GTEST_SKIP() << "quillsum is not built";
}

#endif

} // namespace
} // namespace quill::test
