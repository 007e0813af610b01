// The menu commands: the sheet edits behind the Edit and Function menus on their own, and the
// commands that the main window runs through them and through the two dialogs.
#include "dialogs/frmFormula.h"
#include "dialogs/frmSet.h"
#include "main_window_fixture.h"
#include "scoped_env.h"
#include "settings/profile.h"
#include "widgets/menu_commands.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTreeWidget>
#include <fstream>
#include <gtest/gtest.h>

namespace quill {
namespace {

std::string u8(const QString& s) {
    return s.toStdString();
}

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(PasteNumbersOnly, keeps_digits_and_points_that_a_digit_follows) {
    const TextCase cases[] = {
        {"価格: 1,234円", "1234"},
        {"税 -5.5%", "5.5"},
        {"a1b2.c3", "123"},
        {".5", ".5"},
        {"5.", "5"},
        {"1..2", "1.2"},
        {"-1,000.25 ", "1000.25"},
        {"abc", ""},
        {"", ""},
        {"１２３", ""}, // full-width digits are not ASCII digits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(u8(keepNumberCharacters(QString::fromUtf8(c.input))), c.expected);
    }
}

TEST(PasteNumbersOnly, gives_one_sheet_line_per_pasted_line) {
    const TextCase cases[] = {
        {"価格: 1,234円\r\n税 -5.5%", "1234\n5.5"},
        {"12\r\n", "12\n"},       // a final line break leaves a last, empty line
        {"1\n2\n3", "1\n2\n3"},   // LF alone also ends a line
        {"1\r2", "1\n2"},         // and so does CR alone
        {"x\r\n\r\ny7", "\n\n7"}, // lines without digits stay as empty lines
        {"no digits at all", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(u8(numbersOnlySheet(QString::fromUtf8(c.input))), c.expected);
    }
}

TEST(PasteNumbersOnly, replaces_the_whole_sheet_as_one_undoable_edit) {
    QPlainTextEdit sheet;
    sheet.setPlainText("1+2\n3*4");
    QTextCursor caret = sheet.textCursor();
    caret.setPosition(2);
    sheet.setTextCursor(caret);

    pasteNumbersOnly(&sheet, QStringLiteral("合計 9,800円\r\nメモ"));
    EXPECT_EQ(u8(sheet.toPlainText()), "9800\n");
    EXPECT_EQ(sheet.textCursor().position(), 5);

    pasteNumbersOnly(&sheet, QStringLiteral("no digits"));
    EXPECT_EQ(u8(sheet.toPlainText()), "");

    sheet.undo();
    EXPECT_EQ(u8(sheet.toPlainText()), "9800\n");
    sheet.undo();
    EXPECT_EQ(u8(sheet.toPlainText()), "1+2\n3*4");
}

TEST(FunctionInsertion, takes_the_caption_up_to_its_first_bracket) {
    const TextCase cases[] = {
        {"ABS()         絶対値", "ABS("},
        {"DEGREES()  ラジアン→度", "DEGREES("},
        {"MAX( , )      最大値", "MAX("},
        {"ASIND()      アークサイン", "ASIND("},
        {"ACOSD", "ACOSD("}, // the hidden item without a bracket still opens one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(u8(functionInsertText(QString::fromUtf8(c.input))), c.expected);
    }
}

TEST(FunctionInsertion, wrapping_is_undone_in_one_step) {
    QPlainTextEdit sheet;
    sheet.setPlainText("12");
    sheet.selectAll();
    insertFunctionCall(&sheet, QStringLiteral("ABS()         絶対値"));
    ASSERT_EQ(u8(sheet.toPlainText()), "ABS(12)");
    sheet.undo();
    EXPECT_EQ(u8(sheet.toPlainText()), "12");
}

// --- The menus as the main window runs them ---

class MainWindowMenus : public test::MainWindowTest {
protected:
    std::string totalText() { return u8(total()); }
};

TEST_F(MainWindowMenus, function_items_wrap_a_selection_or_insert_at_the_caret) {
    open("ReCalc=0\n");
    struct Case {
        const char* name;
        const char* sheet;
        int anchor;
        int position;
        FuncItem item;
        const char* expected;
        int caret;
    } cases[] = {
        {"whole sheet selected", "12", 0, 2, FuncItem::Abs, "ABS(12)", 7},
        {"selection made backwards", "12", 2, 0, FuncItem::Abs, "ABS(12)", 7},
        {"no selection, no closing bracket", "1+", 2, 2, FuncItem::Max, "1+MAX(", 6},
        {"caret in the middle", "1+2", 1, 1, FuncItem::Sin, "1SIN(+2", 5},
        {"selection inside a line", "1+23*4", 2, 4, FuncItem::Sqr, "1+SQR(23)*4", 9},
        {"selection across lines", "5\n6\n7", 2, 5, FuncItem::Cos, "5\nCOS(6\n7)", 10},
        {"hidden item, caption without bracket", "30", 0, 2, FuncItem::AcosD, "ACOSD(30)", 9},
        {"RND replaces the selection", "1+2", 0, 3, FuncItem::Rnd, "RND", 3},
        {"RND at the caret", "2*", 2, 2, FuncItem::Rnd, "2*RND", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setSheet(QString::fromUtf8(c.sheet), c.position, c.anchor);
        w().mnuFuncItem_Click(c.item);
        EXPECT_EQ(u8(sheetText()), c.expected);
        EXPECT_EQ(caret(), c.caret);
        EXPECT_FALSE(w().sheet()->textCursor().hasSelection());
    }
    EXPECT_EQ(totalText(), "") << "function items neither speak nor recalculate";
}

TEST_F(MainWindowMenus, paste_numbers_only_replaces_the_sheet_and_recalculates_on_every_input) {
    open("ReCalc=-1\n");
    setSheet("999");
    QGuiApplication::clipboard()->setText(QStringLiteral("価格: 1,234円\r\n税 -5.5%"));
    w().mnuEditItem_Click(EditItem::PasteNumbers);
    EXPECT_EQ(u8(sheetText()), "1234\n5.5");
    EXPECT_EQ(totalText(), "1239.5");

    QGuiApplication::clipboard()->setText(QStringLiteral("合計なし"));
    w().mnuEditItem_Click(EditItem::PasteNumbers);
    EXPECT_EQ(u8(sheetText()), "");
}

TEST_F(MainWindowMenus, move_mode_leaves_keypad_actions_inert_but_check_marks_change) {
    open("ReCalc=0\n");
    setSheet("1000");
    w().calculate();
    w().mnuViewItem_Click(ViewItem::MoveMode);
    ASSERT_TRUE(w().moveMode());

    w().mnuEditItem_Click(EditItem::Clear); // C through the keypad: nothing
    EXPECT_EQ(u8(sheetText()), "1000");
    w().mnuViewItem_Click(ViewItem::GroupThree); // checked, but no pass
    EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::GroupThree));
    EXPECT_EQ(totalText(), "1000");

    w().mnuViewItem_Click(ViewItem::MoveMode);
    w().mnuEditItem_Click(EditItem::Clear);
    EXPECT_EQ(u8(sheetText()), "");
}

TEST_F(MainWindowMenus, settings_item_applies_the_dialog_to_the_window_and_the_file) {
    open();
    expectModal([](QWidget* modal) {
        auto* dialog = qobject_cast<frmSet*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "expected the settings dialog";
            modal->close();
            return;
        }
        dialog->cboOption()->setCurrentText(QStringLiteral("12"));
        dialog->cmdMenu(SetButton::Ok)->click();
    });
    w().mnuOptItem_Click(OptItem::Settings);
    EXPECT_DOUBLE_EQ(w().sheet()->font().pointSizeF(), 12);
    EXPECT_DOUBLE_EQ(w().totalBox()->font().pointSizeF(), 12);
    EXPECT_EQ(u8(QString::fromStdU16String(*Profile(iniFile()).readRaw("FontSize"))), "12");
}

TEST_F(MainWindowMenus, formulas_edited_from_options_are_offered_by_the_function_menu) {
    open();
    expectModal([](QWidget* modal) {
        auto* dialog = qobject_cast<frmFormula*>(modal);
        if (!dialog || dialog->mode() != FormulaMode::Editing) {
            ADD_FAILURE() << "expected the formula dialog in editing mode";
            modal->close();
            return;
        }
        dialog->nameBox()->setText(QStringLiteral("税込"));
        dialog->textBox()->setPlainText(QStringLiteral("([sel])*1.1"));
        dialog->cmdMenu(FormulaButton::Add)->click();
        dialog->cmdMenu(FormulaButton::Ok)->click();
    });
    w().mnuOptItem_Click(OptItem::UserFormulas);

    setSheet("100", 3, 0);
    w().mnuFuncItem_Click(FuncItem::UserFormulas);
    auto* picker = w().findChild<frmFormula*>();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->mode(), FormulaMode::Picking);
    ASSERT_EQ(picker->lv()->topLevelItemCount(), 1);
    picker->lv()->setCurrentItem(picker->lv()->topLevelItem(0));
    picker->insertSelected();
    EXPECT_EQ(u8(sheetText()), "(100)*1.1");
}

// Without an opener (no xdg-open, no browser on the PATH) the ReadMe and web-page items say so
// on the status bar; Qt's own note about it is not printed.
TEST_F(MainWindowMenus, help_items_without_an_opener_say_so_on_the_status_bar) {
    const std::filesystem::path empty = folder() / "empty-path";
    std::filesystem::create_directories(empty);
    std::ofstream(folder() / "ReadMe.txt") << "read me";
    test::ScopedEnv path("PATH", empty.c_str());
    test::ScopedEnv browser("BROWSER", nullptr);
    test::ScopedEnv defaultBrowser("DEFAULT_BROWSER", nullptr);
    open();
    static QStringList printed;
    printed.clear();
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { printed << m; });
    for (HelpItem item : {HelpItem::ReadMe, HelpItem::AuthorPage}) {
        SCOPED_TRACE(itemIndex(item));
        w().setStatusText(QString());
        w().mnuHelpItem_Click(item);
        EXPECT_TRUE(w().statusText().startsWith(QStringLiteral("開くためのアプリケーション")))
            << u8(w().statusText());
    }
    qInstallMessageHandler(before);
    EXPECT_TRUE(printed.isEmpty()) << u8(printed.join('\n'));
}

} // namespace
} // namespace quill
