// Reading the tape back in the window: the phrases handed to the speech output in order with
// the line being read shown in both boxes, what stops it, and that the sheet stays as it was.
#include "main_window_fixture.h"
#include "speech/read_back.h"
#include "window/main_menus.h"

#include <QMenuBar>
#include <QScrollBar>
#include <QTextBlock>
#include <functional>

namespace quill::test {
namespace {

// What the window handed to the speech output. While `hold` is set a phrase goes on playing
// until the test lets it end.
struct SpeechScript {
    std::vector<std::u16string> played;
    int stops = 0;
    bool hold = false;
    bool busy = false;
};

class ScriptedSpeech : public SpeechOutput {
public:
    explicit ScriptedSpeech(std::shared_ptr<SpeechScript> s) : s_(std::move(s)) {}
    void play(std::u16string_view phrase) override {
        s_->played.emplace_back(phrase);
        s_->busy = s_->hold;
    }
    void stop() override {
        ++s_->stops;
        s_->busy = false;
    }
    bool playing() const override { return s_->busy; }

private:
    std::shared_ptr<SpeechScript> s_;
};

bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i) QTest::qWait(10); // a slow machine too
    return done();
}

class ReadBackWindowTest : public MainWindowTest {
protected:
    frmMain& openWithSpeech(const std::string& ini = "") {
        writeIni("[Calc]\n" + ini);
        window_ = std::make_unique<frmMain>(std::make_unique<ScriptedSpeech>(script_));
        window_->resize(640, 480);
        window_->show();
        QCoreApplication::processEvents();
        return *window_;
    }
    QAction* item() const { return window_->mnuViewItem().at(ViewItem::ReadBack); }
    QString selectedResult() const { return window_->resultsColumn()->selectedText(); }
    int caretLine() const { return window_->sheet()->textCursor().blockNumber(); }

    std::shared_ptr<SpeechScript> script_ = std::make_shared<SpeechScript>();
};

const QString kTape = QStringLiteral("100\n+50\n\n1/0\n\"2009/03/07\"\n- 30");

TEST_F(ReadBackWindowTest, reads_from_the_caret_line_showing_each_line_and_leaves_the_sheet_alone) {
    struct Row {
        const char* name;
        int caret;     // a position in kTape
        int firstLine; // the first line read
    };
    const Row rows[] = {
        {"caret on the first line", 0, 0},
        {"caret on the second line", 5, 1},
        {"caret on the last line starts at the top", int(kTape.size()), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        openWithSpeech();
        setSheet(kTape, row.caret);
        const int undoSteps = w().sheet()->document()->availableUndoSteps();
        script_->played.clear();
        script_->hold = true;
        item()->trigger(); // talking is off: reading back speaks all the same

        const ShownTape tape = shownTape(kTape.toStdU16String(), Grouping::None);
        const std::vector<ReadBackPhrase> expected = readBackPhrases(tape, row.firstLine);
        const QStringList shown = results().split('\n');
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_TRUE(waitFor([&] { return script_->played.size() == i + 1; })) << i;
            EXPECT_EQ(script_->played.back(), expected[i].text) << "phrase " << i;
            EXPECT_TRUE(w().readingBack());
            if (expected[i].line == kTotalPhraseLine) {
                EXPECT_EQ(w().totalBox()->selectedText(), total());
            } else {
                EXPECT_EQ(caretLine(), expected[i].line) << "the caret on the line read";
                EXPECT_EQ(selectedResult(), shown[expected[i].line]);
            }
            script_->busy = false; // the phrase has been spoken
        }
        ASSERT_TRUE(waitFor([&] { return !w().readingBack(); }));
        EXPECT_EQ(script_->played.size(), expected.size());
        EXPECT_EQ(sheetText(), kTape);
        EXPECT_EQ(w().sheet()->document()->availableUndoSteps(), undoSteps);
        EXPECT_TRUE(selectedResult().isEmpty()) << "the selection goes when the reading ends";
    }
}

TEST_F(ReadBackWindowTest, the_view_scrolls_with_the_line_being_read) {
    openWithSpeech();
    QStringList lines;
    for (int i = 0; i < 200; ++i) lines << QString::number(i + 1);
    const QString sheet = lines.join('\n');
    setSheet(sheet, int(sheet.indexOf(QStringLiteral("\n151\n"))) + 1);
    w().sheet()->verticalScrollBar()->setValue(0);
    script_->hold = true;
    item()->trigger();
    for (int line : {150, 170}) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(waitFor([&] {
            if (caretLine() >= line) return true;
            script_->busy = false;
            return false;
        }));
        QCoreApplication::processEvents();
        for (QAbstractScrollArea* box : {static_cast<QAbstractScrollArea*>(w().sheet()),
                                         static_cast<QAbstractScrollArea*>(w().resultsColumn())}) {
            const QRect caret =
                box == w().sheet() ? w().sheet()->cursorRect() : w().resultsColumn()->cursorRect();
            EXPECT_TRUE(box->viewport()->rect().contains(caret.center()))
                << box->objectName().toStdString() << " shows the line being read";
        }
    }
    item()->trigger();
}

TEST_F(ReadBackWindowTest, a_key_a_click_the_item_again_or_closing_stops_it_at_once) {
    struct Row {
        const char* name;
        std::function<void()> act;
        QString sheetAfter; // the key or click then does what it always does
    };
    const Row rows[] = {
        {"a key typed in the sheet", [this] { QTest::keyClick(w().sheet(), Qt::Key_7); },
         QStringLiteral("1\n72\n3")},
        {"Esc only stops it (it would clear the sheet)",
         [this] { QTest::keyClick(w().sheet(), Qt::Key_Escape); }, QStringLiteral("1\n2\n3")},
        {"a click in the sheet",
         [this] { QTest::mouseClick(w().sheet()->viewport(), Qt::LeftButton, {}, QPoint(2, 2)); },
         QStringLiteral("1\n2\n3")},
        {"a keypad button", [this] { click(w().cmdNum(NumKey::Digit9)); },
         QStringLiteral("1\n92\n3")},
        {"the item again", [this] { item()->trigger(); }, QStringLiteral("1\n2\n3")},
        {"closing the window", [this] { w().close(); }, QStringLiteral("1\n2\n3")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        openWithSpeech();
        setSheet(QStringLiteral("1\n2\n3"), 0);
        script_->played.clear();
        script_->stops = 0;
        script_->hold = true;
        item()->trigger();
        script_->busy = false;
        ASSERT_TRUE(waitFor([&] { return script_->played.size() == 2; }));
        row.act();
        EXPECT_FALSE(w().readingBack());
        EXPECT_GE(script_->stops, 1) << "the phrase being spoken is cut off";
        script_->busy = false;
        QTest::qWait(100);
        EXPECT_EQ(script_->played.size(), 2u) << "nothing more is read";
        EXPECT_EQ(sheetText(), row.sheetAfter);
    }
}

// Esc only stops the reading, whatever starts a calculation pass: neither its release nor its
// repeats while it is held reach the sheet, so no result is spoken and the tape stays.
TEST_F(ReadBackWindowTest, esc_held_or_let_go_only_stops_it_in_every_recalculation_mode) {
    for (const char* recalc : {"0", "1", "-1"}) {
        for (bool held : {false, true}) {
            SCOPED_TRACE(std::string("ReCalc=") + recalc + (held ? ", Esc held" : ""));
            openWithSpeech(std::string("Talk=-1\nReCalc=") + recalc + "\n");
            setSheet(QStringLiteral("1\n2\n3"), 0);
            script_->played.clear();
            script_->hold = true;
            item()->trigger(); // its own pass may speak the result first
            const size_t said = script_->played.size();
            ASSERT_TRUE(w().readingBack());
            QTest::keyPress(w().sheet(), Qt::Key_Escape);
            EXPECT_FALSE(w().readingBack());
            if (held)
                for (int i = 0; i < 3; ++i)
                    sendKey(w().sheet(), QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, {},
                            true);
            QTest::keyRelease(w().sheet(), Qt::Key_Escape);
            QTest::qWait(150); // a pass the release would have asked for
            EXPECT_EQ(script_->played.size(), said) << "nothing more is said";
            EXPECT_EQ(sheetText(), QStringLiteral("1\n2\n3"));
            QTest::keyClick(w().sheet(), Qt::Key_Escape);
            EXPECT_EQ(sheetText(), QString()) << "the next Esc clears the tape as always";
        }
    }
}

// The way to the item by keyboard or mouse does not stop the reading, or the item would
// start it again.
TEST_F(ReadBackWindowTest, the_way_to_the_menu_item_does_not_stop_it) {
    openWithSpeech();
    setSheet(QStringLiteral("1\n2\n3"), 0);
    script_->hold = true;
    item()->trigger();
    QTest::keyPress(w().sheet(), Qt::Key_Alt);
    QTest::keyRelease(w().sheet(), Qt::Key_Alt);
    QTest::mousePress(w().menuBar(), Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(w().menuBar(), Qt::LeftButton, {}, QPoint(1, 1));
    for (QMenu* m : w().menuBar()->findChildren<QMenu*>()) m->close();
    EXPECT_TRUE(w().readingBack());
    item()->trigger();
    EXPECT_FALSE(w().readingBack());
    EXPECT_EQ(script_->played.size(), 1u);
}

TEST_F(ReadBackWindowTest, the_item_needs_a_speech_engine_but_not_the_talking_option) {
    openWithSpeech();
    EXPECT_TRUE(item()->isEnabled());
    EXPECT_FALSE(w().mnuOptItem().isChecked(OptItem::Talk));
    EXPECT_EQ(item()->shortcut(), QKeySequence(Qt::Key_F6));
    setSheet(QStringLiteral("1\n2"), 0);
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    script_->hold = true;
    QTest::keyClick(w().sheet(), Qt::Key_F6);
    EXPECT_TRUE(w().readingBack()) << "F6 starts it";
    QTest::keyClick(w().sheet(), Qt::Key_F6);
    EXPECT_FALSE(w().readingBack()) << "F6 again stops it";
    EXPECT_EQ(sheetText(), QStringLiteral("1\n2"));

    open(); // the fixture's window: talking possible, recorded
    window_.reset();
    writeIni("[Calc]\n");
    window_ = std::make_unique<frmMain>(nullptr);
    window_->show();
    setSheet(QStringLiteral("1\n2"));
    EXPECT_FALSE(item()->isEnabled()) << "no speech engine";
    w().mnuViewItem_Click(ViewItem::ReadBack);
    EXPECT_FALSE(w().readingBack());
}

} // namespace
} // namespace quill::test
