// The window's sheet at its limits: files, a kept sheet, pastes and typing past what the editor
// can hold are refused with a status that says how large they are, and a long session of large
// edits keeps a bounded undo history that still takes back the recent edits and an opened file.
#include "document/sheet_file.h"
#include "main_window_fixture.h"
#include "temp_folder.h"
#include "widgets/sheet_box.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <functional>

namespace quill::test {
namespace {

namespace fs = std::filesystem;

class BigSheet : public MainWindowTest {
protected:
    QString path(const char* name) const {
        return QString::fromStdString((folder() / name).string());
    }
    static std::string lines(std::size_t count, const std::string& line = "1") {
        std::string text;
        text.reserve(count * (line.size() + 1));
        for (std::size_t i = 0; i < count; ++i) text += line + "\n";
        return text;
    }
    SheetBox* box() { return static_cast<SheetBox*>(w().sheet()); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        sendKey(w().sheet(), QEvent::KeyPress, k, modifiers, text);
        sendKey(w().sheet(), QEvent::KeyRelease, k, modifiers, text);
    }
};

TEST_F(BigSheet, a_sheet_past_the_windows_limit_is_refused_whatever_way_it_comes) {
    const std::size_t maxLines = kWindowSheetLimits.lines;
    struct Row {
        const char* name;
        std::function<void()> act;
        const char* status; // a part of the status text
    };
    const Row rows[] = {
        {"a file of one line more",
         [&] {
             test::writeBytes(folder() / "big.txt", lines(maxLines + 1));
             EXPECT_FALSE(w().openSheetFile(path("big.txt")));
         },
         "500,001行"},
        {"a file of too many characters",
         [&] {
             test::writeBytes(folder() / "wide.txt", lines(4, std::string(1'000'001, '1')));
             EXPECT_FALSE(w().openSheetFile(path("wide.txt")));
         },
         "quillsum-calc"},
        {"a file past the bytes, not read",
         [&] {
             test::writeBytes(folder() / "huge.txt", "1");
             fs::resize_file(folder() / "huge.txt", 63 * 1024 * 1024);
             EXPECT_FALSE(w().openSheetFile(path("huge.txt")));
         },
         "63.0MB"},
        {"a paste of too many lines",
         [&] {
             box()->setLimits(10, 1000);
             QGuiApplication::clipboard()->setText(QString::fromStdString(lines(10)));
             key(Qt::Key_V, Qt::ControlModifier);
         },
         "11行"},
        {"an input method's text",
         [&] {
             box()->setLimits(10, 20);
             QInputMethodEvent commit;
             commit.setCommitString(QString(30, u'7'));
             QCoreApplication::sendEvent(box(), &commit);
         },
         "入力できません"},
        {"Enter at the line limit",
         [&] {
             box()->setLimits(1, 100);
             key(Qt::Key_Return, Qt::NoModifier, "\r");
         },
         "2行"},
        {"a typed digit at the character limit",
         [&] {
             box()->setLimits(10, 3);
             key(Qt::Key_1, Qt::NoModifier, "1");
         },
         "4文字"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        open("ReCalc=0\n");
        setSheet("5+1");
        row.act();
        EXPECT_EQ(sheetText(), "5+1") << "nothing of it went in";
        EXPECT_TRUE(w().statusText().contains(QString::fromUtf8(row.status)))
            << w().statusText().toStdString();
    }
}

TEST_F(BigSheet, a_kept_sheet_past_the_limit_is_set_aside_whole) {
    const std::string big = lines(kWindowSheetLimits.lines + 1);
    test::writeBytes(folder() / "sheet.txt", big);
    open();
    w().takeKeptSheet();
    EXPECT_EQ(sheetText(), "");
    EXPECT_EQ(readBytes(folder() / "sheet-unread.txt"), big);
    EXPECT_TRUE(w().statusText().contains("500,001行")) << w().statusText().toStdString();
}

// The largest file the window opens goes in as one undo step.
TEST_F(BigSheet, the_largest_accepted_file_opens_and_one_undo_takes_it_back) {
    test::writeBytes(folder() / "top.txt", lines(kWindowSheetLimits.lines));
    open("ReCalc=0\n");
    setSheet("9");
    ASSERT_TRUE(w().openSheetFile(path("top.txt")));
    EXPECT_EQ(w().sheet()->blockCount(), int(kWindowSheetLimits.lines));
    EXPECT_EQ(total(), "500000");
    w().sheet()->undo();
    EXPECT_EQ(sheetText(), "9");
}

// Pasting ten thousand lines, Enter, Ctrl+A and BackSpace again and again: the history stays
// bounded, and still takes back an opened file and the last hundred small edits after it.
TEST_F(BigSheet, a_long_session_of_large_edits_keeps_a_bounded_undo_history) {
    open("ReCalc=0\n");
    QGuiApplication::clipboard()->setText(QString::fromStdString(lines(10'000, "+ 1,234")));
    // The editor counts a step for every line an edit touched.
    int firstCycle = 0, mostSteps = 0;
    for (int cycle = 0; cycle < 60; ++cycle) {
        key(Qt::Key_V, Qt::ControlModifier);
        key(Qt::Key_Return, Qt::NoModifier, "\r");
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_Backspace);
        const int steps = w().sheet()->document()->availableUndoSteps();
        if (cycle == 0) firstCycle = steps;
        mostSteps = std::max(mostSteps, steps);
    }
    EXPECT_LE(mostSteps, 20 * firstCycle) << "the history let go of old cycles";

    test::writeBytes(folder() / "tape.txt", lines(20'000, "+ 2"));
    ASSERT_TRUE(w().openSheetFile(path("tape.txt")));
    const QString opened = sheetText();
    // At the start and the end in turn, so that no two of them join into one step.
    for (int i = 0; i < 100; ++i) {
        key(i % 2 ? Qt::Key_End : Qt::Key_Home, Qt::ControlModifier);
        key(Qt::Key_1, Qt::NoModifier, "1");
    }
    ASSERT_EQ(sheetText(), QString(50, u'1') + opened + QString(50, u'1'));
    for (int i = 0; i < 100; ++i) w().sheet()->undo();
    EXPECT_EQ(sheetText(), opened) << "the hundred typed digits were taken back";
    w().sheet()->undo();
    EXPECT_NE(sheetText(), opened) << "and the opened file with them";
    EXPECT_FALSE(sheetText().contains("+ 2"));
}

} // namespace
} // namespace quill::test
