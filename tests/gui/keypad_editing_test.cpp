// Keypad keys acting on the sheet: insertion, wrapping a selection, caret keys, CE and C, the
// copy-result key, and what each says.
#include "main_window_fixture.h"
#include "speech/phrases.h"
#include "widgets/line_helpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStatusBar>

namespace quill::test {
namespace {

using KeypadEditing = MainWindowTest;

struct WrapRow {
    const char* name;
    OpKey key;
    int anchor, caret;
    const char16_t* expected;
    int expectedCaret;
};

TEST_F(KeypadEditing, brackets_and_root_wrap_a_selection_or_insert_alone) {
    open("ReCalc=0\n");
    const WrapRow rows[] = {
        {"( around selection", OpKey::OpenBracket, 0, 3, u"(1+2)", 5},
        {"root around selection", OpKey::Sqrt, 0, 3, u"SQR(1+2)", 8},
        {") around selection", OpKey::CloseBracket, 2, 3, u"1+(2)", 5},
        {"backward selection", OpKey::OpenBracket, 3, 0, u"(1+2)", 5},
        {"( alone", OpKey::OpenBracket, 3, 3, u"1+2(", 4},
        {") alone", OpKey::CloseBracket, 3, 3, u"1+2)", 4},
        {"root alone", OpKey::Sqrt, 1, 1, u"1SQR(+2", 5},
    };
    for (const WrapRow& row : rows) {
        SCOPED_TRACE(row.name);
        setSheet("1+2", row.caret, row.anchor);
        click(w().cmdOp(row.key));
        EXPECT_EQ(sheetText(), QString::fromUtf16(row.expected));
        EXPECT_EQ(caret(), row.expectedCaret);
    }
    // The wrap is one edit: one undo restores the sheet.
    setSheet("1+2", 3, 0);
    click(w().cmdOp(OpKey::OpenBracket));
    w().sheet()->undo();
    EXPECT_EQ(sheetText(), "1+2");
}

TEST_F(KeypadEditing, keys_insert_their_text_at_the_caret) {
    open("ReCalc=0\n");
    struct Row {
        AnyKey key;
        const char16_t* inserted;
    } rows[] = {{NumKey::Digit7, u"7"},     {NumKey::Point, u"."},
                {NumKey::HexPrefix, u"&H"}, {NumKey::HexF, u"F"},
                {OpKey::Mod, u" Mod "},     {OpKey::Times, u" * "},
                {OpKey::Not, u" Not "},     {OpKey::Pi, u"3.14159265358979"},
                {MenuKey::Space, u" "},     {MenuKey::NewLine, u"\n"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(button(row.key)->text().toStdString());
        setSheet("ab", 1);
        click(button(row.key));
        const QString inserted = QString::fromUtf16(row.inserted);
        EXPECT_EQ(sheetText(), "a" + inserted + "b");
        EXPECT_EQ(caret(), 1 + inserted.size());
        EXPECT_TRUE(w().sheet()->hasFocus());
    }
}

TEST_F(KeypadEditing, end_home_and_ce_work_on_first_middle_and_last_lines) {
    open("ReCalc=0\n");
    struct Row {
        const char* name;
        int caret;
        int endCaret;
        int homeCaret;
        const char* afterCe;
    } rows[] = {
        {"first line", 1, 2, 0, "cd\nef"},
        {"middle line", 4, 5, 3, "ab\nef"},
        {"last line", 7, 8, 6, "ab\ncd\n"},
        {"start of last line", 6, 8, 6, "ab\ncd\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setSheet("ab\ncd\nef", row.caret);
        click(w().cmdMenu(MenuKey::End));
        EXPECT_EQ(caret(), row.endCaret) << "End";
        select(row.caret);
        click(w().cmdMenu(MenuKey::Home));
        EXPECT_EQ(caret(), row.homeCaret) << "Home";
        select(row.caret);
        click(w().cmdMenu(MenuKey::ClearLine));
        EXPECT_EQ(sheetText(), row.afterCe) << "CE";
    }
    setSheet("12", 1);
    click(w().cmdMenu(MenuKey::ClearLine));
    EXPECT_EQ(sheetText(), "") << "CE on the only line clears it";
    click(w().cmdMenu(MenuKey::ClearLine));
    click(w().cmdMenu(MenuKey::End));
    EXPECT_EQ(sheetText(), "") << "CE and End on an empty sheet change nothing";
}

TEST_F(KeypadEditing, back_del_and_arrows_arrive_as_typed_keys) {
    open("ReCalc=0\n");
    setSheet("123\n45", 2);
    click(w().cmdMenu(MenuKey::Back));
    EXPECT_EQ(sheetText(), "13\n45");
    click(w().cmdMenu(MenuKey::Delete));
    EXPECT_EQ(sheetText(), "1\n45");
    click(w().cmdOp(OpKey::Down));
    EXPECT_EQ(GetLine(w().sheet()), 2);
    click(w().cmdOp(OpKey::Right));
    click(w().cmdOp(OpKey::Left));
    click(w().cmdOp(OpKey::Up));
    EXPECT_EQ(GetLine(w().sheet()), 1);
}

TEST_F(KeypadEditing, c_and_esc_empty_all_three_boxes_and_the_status_text) {
    open("ReCalc=0\n");
    for (bool viaEsc : {false, true}) {
        SCOPED_TRACE(viaEsc ? "Esc" : "C");
        setSheet("1\n2");
        w().calculate();
        ASSERT_EQ(total(), "3");
        if (viaEsc)
            QTest::keyClick(w().sheet(), Qt::Key_Escape);
        else
            click(w().cmdMenu(MenuKey::Clear));
        EXPECT_EQ(sheetText(), "");
        EXPECT_EQ(total(), "");
        EXPECT_EQ(results(), "");
        EXPECT_EQ(w().statusText(), "");
    }
    w().sheet()->undo();
    EXPECT_EQ(sheetText(), "1\n2") << "a cleared sheet comes back with undo";
}

TEST_F(KeypadEditing, copy_result_copies_the_total_or_does_nothing) {
    open("ReCalc=0\n");
    talk();
    QGuiApplication::clipboard()->setText("before");
    click(w().cmdMenu(MenuKey::CopyResult));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_TRUE(spoken().empty());

    setSheet("100\n+50");
    w().calculate();
    spoken_->clear();
    click(w().cmdMenu(MenuKey::CopyResult));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "150");
    EXPECT_EQ(w().statusText(), "演算結果をコピーしました");
    ASSERT_EQ(spoken().size(), 1u);
    EXPECT_EQ(spoken()[0], menuKeyPhrase(10));
}

TEST_F(KeypadEditing, keys_speak_their_phrase_and_new_line_speaks_the_result_on_enter) {
    open("ReCalc=0\n");
    talk();
    setSheet("");
    click(w().cmdNum(NumKey::Digit5));
    click(w().cmdOp(OpKey::Plus));
    click(w().cmdMenu(MenuKey::NewLine));
    EXPECT_EQ(spoken(), (std::vector<std::u16string>{std::u16string(numKeyPhrase(5)),
                                                     std::u16string(opKeyPhrase(2)),
                                                     std::u16string(menuKeyPhrase(5))}));
    w().mnuOptItem_Click(OptItem::RecalcOnEnter); // recalculation on Enter
    setSheet("2 + 3");
    spoken_->clear();
    click(w().cmdMenu(MenuKey::NewLine));
    EXPECT_EQ(spoken(), std::vector<std::u16string>{u"<NUMK VAL=5>"});
}

TEST_F(KeypadEditing, a_digit_with_recalculation_on_input_says_the_key_then_the_result) {
    open("ReCalc=-1\n");
    talk();
    setSheet("-2 * ");
    click(w().cmdNum(NumKey::Digit1));
    EXPECT_EQ(spoken(), (std::vector<std::u16string>{std::u16string(numKeyPhrase(1)),
                                                     u"マイナス<NUMK VAL=2>"}));
    // An empty sheet: "=" clears the boxes, says nothing and leaves the status text alone.
    setSheet("");
    w().setStatusText("x");
    spoken_->clear();
    click(w().cmdOp(OpKey::Equals));
    EXPECT_TRUE(spoken().empty());
    EXPECT_EQ(w().statusText(), "x");
    EXPECT_EQ(total(), "");
}

} // namespace
} // namespace quill::test
