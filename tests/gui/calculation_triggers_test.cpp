// What starts a calculation pass under each recalculation option, and the window's side of a
// pass: results, total, status text, narrowing with the caret kept, move mode.
#include "main_window_fixture.h"

#include <QAction>
#include <QTextDocument>
#include <algorithm>
#include <functional>

namespace quill::test {
namespace {

using CalculationTriggers = MainWindowTest;

struct TriggerRow {
    const char* name;
    const char* recalc; // setting ReCalc
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool calculates;
};

TEST_F(CalculationTriggers, key_releases_in_the_sheet_follow_the_recalculation_option) {
    const TriggerRow rows[] = {
        {"every input: letter", "-1", Qt::Key_A, Qt::NoModifier, true},
        {"every input: backspace", "-1", Qt::Key_Backspace, Qt::NoModifier, true},
        {"every input: enter", "-1", Qt::Key_Return, Qt::NoModifier, true},
        {"every input: ctrl+v", "-1", Qt::Key_V, Qt::ControlModifier, true},
        {"every input: arrow", "-1", Qt::Key_Left, Qt::NoModifier, false},
        {"every input: page down", "-1", Qt::Key_PageDown, Qt::NoModifier, false},
        {"every input: shift", "-1", Qt::Key_Shift, Qt::ShiftModifier, false},
        {"every input: F2", "-1", Qt::Key_F2, Qt::NoModifier, false},
        {"every input: F12", "-1", Qt::Key_F12, Qt::NoModifier, false},
        {"every input: IME width key", "-1", Qt::Key_Zenkaku_Hankaku, Qt::NoModifier, false},
        {"every input: ctrl+F5", "-1", Qt::Key_F5, Qt::ControlModifier, false},
        {"on enter: enter", "1", Qt::Key_Return, Qt::NoModifier, true},
        {"on enter: keypad enter", "1", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"on enter: shift+enter", "1", Qt::Key_Return, Qt::ShiftModifier, false},
        {"on enter: letter", "1", Qt::Key_A, Qt::NoModifier, false},
        {"on enter: F5", "1", Qt::Key_F5, Qt::NoModifier, true},
        {"on request: enter", "0", Qt::Key_Return, Qt::NoModifier, false},
        {"on request: letter", "0", Qt::Key_A, Qt::NoModifier, false},
        {"on request: F5", "0", Qt::Key_F5, Qt::NoModifier, true},
        {"on request: shift+F5", "0", Qt::Key_F5, Qt::ShiftModifier, false},
    };
    for (const TriggerRow& row : rows) {
        SCOPED_TRACE(row.name);
        open(std::string("ReCalc=") + row.recalc + "\n");
        setSheet("1\n2");
        sendKey(w().sheet(), QEvent::KeyRelease, row.key, row.modifiers);
        EXPECT_EQ(total(), row.calculates ? "3" : "");
    }
}

TEST_F(CalculationTriggers, ctrl_enter_calculates_anywhere_and_is_swallowed) {
    open("ReCalc=0\n");
    for (QWidget* box : {w().txt(0), w().txt(1), w().txt(2)}) {
        SCOPED_TRACE(box->accessibleName().toStdString());
        setSheet("4\n* 5");
        w().totalBox()->clear();
        sendKey(box, QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_EQ(total(), "20");
        EXPECT_EQ(sheetText(), "4\n* 5");
    }
}

TEST_F(CalculationTriggers, keypad_keys_recalculate_only_where_they_complete_input) {
    struct Row {
        const char* recalc;
        AnyKey key;
        bool calculates;
    } rows[] = {
        {"-1", NumKey::Digit3, true},     {"-1", NumKey::HexA, true},
        {"-1", OpKey::Pi, true},          {"-1", OpKey::CloseBracket, true},
        {"-1", OpKey::Plus, false},       {"-1", OpKey::OpenBracket, false},
        {"1", NumKey::Digit3, false},     {"1", MenuKey::NewLine, true},
        {"-1", MenuKey::NewLine, false},  {"0", OpKey::Equals, true},
        {"-1", MenuKey::ClearLine, true}, {"1", MenuKey::ClearLine, false},
    };
    for (const Row& row : rows) {
        open(std::string("ReCalc=") + row.recalc + "\n");
        SCOPED_TRACE(std::string(row.recalc) + " " + button(row.key)->text().toStdString());
        setSheet("7\n(1");
        click(button(row.key));
        EXPECT_EQ(!total().isEmpty(), row.calculates) << "total " << total().toStdString();
    }
}

TEST_F(CalculationTriggers, a_pass_fills_results_and_total_and_reports_completion) {
    open("ReCalc=0\n");
    setSheet("100\n+50\n* 2\n\n- 30", 2);
    w().calculate();
    EXPECT_EQ(results(), "100\n+ 50\n* 2\n\n- 30");
    EXPECT_EQ(total(), "270");
    EXPECT_EQ(w().statusText(), "計算が完了しました");
    EXPECT_FALSE(w().calcBusy());
    EXPECT_TRUE(w().sheet()->hasFocus());

    // Lines removed, added and changed in the middle: the column always matches the sheet.
    setSheet("100\n* 2\n7\n\n- 30\n1");
    w().calculate();
    EXPECT_EQ(results(), "100\n* 2\n+ 7\n\n- 30\n+ 1");
    setSheet("");
    w().calculate();
    EXPECT_EQ(results(), "");
    EXPECT_EQ(total(), "");
}

TEST_F(CalculationTriggers, grouping_items_reformat_the_results) {
    open("ReCalc=0\n");
    setSheet("1234567");
    w().calculate();
    EXPECT_EQ(total(), "1234567");
    w().mnuViewItem_Click(ViewItem::GroupThree);
    EXPECT_EQ(total(), "1,234,567");
    w().mnuViewItem_Click(ViewItem::GroupFour);
    EXPECT_FALSE(w().mnuViewItem().isChecked(ViewItem::GroupThree));
    EXPECT_EQ(total(), "123,4567");
    w().mnuViewItem_Click(ViewItem::GroupFour);
    EXPECT_EQ(total(), "1234567") << "unchecking the checked item shows no grouping";
}

TEST_F(CalculationTriggers, full_width_input_is_narrowed_in_place_with_the_caret_kept) {
    open("ReCalc=0\n");
    setSheet(QStringLiteral("１＋２\n3"), 2);
    w().calculate();
    EXPECT_EQ(sheetText(), "1+2\n3");
    EXPECT_EQ(caret(), 2);
    EXPECT_EQ(total(), "6");
}

TEST_F(CalculationTriggers, move_mode_stops_every_pass) {
    open("ReCalc=-1\n");
    w().mnuViewItem_Click(ViewItem::MoveMode);
    setSheet("1\n2");
    w().calculate();
    sendKey(w().sheet(), QEvent::KeyRelease, Qt::Key_F5);
    EXPECT_EQ(total(), "");
    EXPECT_EQ(results(), "");
}

} // namespace
} // namespace quill::test

namespace quill::test {
namespace {

// Records, in order, the sheet's paints and the results column's changes.
class PaintAndResults : public QObject {
public:
    explicit PaintAndResults(frmMain& w) {
        w.sheet()->viewport()->installEventFilter(this);
        connect(w.resultsColumn(), &ResultsColumn::linesChanged, this,
                [this] { order.push_back("results"); });
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) order.push_back("paint");
        return false;
    }
    std::vector<std::string> order;
};

TEST_F(CalculationTriggers, keys_typed_together_paint_first_and_share_one_pass) {
    struct Row {
        const char* name;
        const char* recalc;
        std::function<void(frmMain&)> typeOne; // one key, its pass not yet run
        const char* sheet;                     // after three of them on the sheet "1\n2"
    };
    auto typed = [](int key, const char* text) {
        return [=](frmMain& w) {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, key, Qt::NoModifier, QString::fromLatin1(text));
                QCoreApplication::sendEvent(w.sheet(), &event);
            }
        };
    };
    const Row rows[] = {
        {"typed digits", "-1", typed(Qt::Key_5, "5"), "1\n2555"},
        {"keypad digits", "-1", [](frmMain& w) { w.cmdNum(NumKey::Digit3)->click(); }, "1\n2333"},
        {"F5 pressed again and again", "0", typed(Qt::Key_F5, ""), "1\n2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        open(std::string("ReCalc=") + row.recalc + "\n");
        talk();
        setSheet("1\n2");
        QCoreApplication::processEvents();
        PaintAndResults log(w());
        for (int k = 0; k < 3; ++k) row.typeOne(w());
        EXPECT_EQ(total(), "") << "no pass before the waiting events are handled";
        QCoreApplication::processEvents();
        ASSERT_EQ(sheetText(), row.sheet);
        const PassResult whole = calculateSheet(sheetText().toStdU16String(), w().grouping());
        EXPECT_EQ(total(), QString::fromStdU16String(whole.total));
        EXPECT_EQ(std::count(spoken().begin(), spoken().end(), whole.phrase), 1);
        ASSERT_FALSE(log.order.empty());
        EXPECT_EQ(log.order.front(), "paint") << "the typed text shows before the results";
    }
}

} // namespace
} // namespace quill::test
