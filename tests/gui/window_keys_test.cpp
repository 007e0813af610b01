// Keys the whole window answers, the middle-button function menu, and how the controls
// present themselves (captions, tooltips, accessible names).
#include "dialogs/frmFormula.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace quill::test {
namespace {

using WindowKeys = MainWindowTest;

TEST_F(WindowKeys, ctrl_e_deletes_the_caret_line_from_any_box) {
    open("ReCalc=0\n");
    setSheet("1\n2\n3", 2);
    sendKey(w().sheet(), QEvent::KeyPress, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(sheetText(), "1\n3");
    sendKey(w().totalBox(), QEvent::KeyPress, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(sheetText(), "1\n");
}

// Ctrl+Y and Ctrl+Shift+Z both redo in every box the user types formulas into, whichever
// of them the platform's key scheme knows (the offscreen platform knows Windows keys, an X11
// desktop without a theme only Ctrl+Shift+Z).
TEST_F(WindowKeys, ctrl_y_and_ctrl_shift_z_redo_in_the_sheet_and_the_formula_boxes) {
    open("ReCalc=0\n");
    frmFormula dialog(FormulaMode::Editing, iniFile());
    dialog.show();
    const auto plainText = [](QPlainTextEdit* box) { return [box] { return box->toPlainText(); }; };
    const auto emptyPlain = [](QPlainTextEdit* box) { return [box] { box->setPlainText({}); }; };
    const struct {
        const char* name;
        QWidget* box;
        std::function<QString()> text;
        std::function<void()> empty; // with a fresh undo history
    } boxes[] = {
        {"sheet", w().sheet(), plainText(w().sheet()), emptyPlain(w().sheet())},
        {"formula name", dialog.nameBox(), [&] { return dialog.nameBox()->text(); },
         [&] { dialog.nameBox()->setText({}); }},
        {"formula text", dialog.textBox(), plainText(dialog.textBox()),
         emptyPlain(dialog.textBox())},
    };
    const QKeyCombination redoKeys[] = {Qt::ControlModifier | Qt::Key_Y,
                                        Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z};
    for (const auto& box : boxes) {
        for (const QKeyCombination redo : redoKeys) {
            SCOPED_TRACE(box.name + (" " + QKeySequence(redo).toString().toStdString()));
            box.empty();
            box.box->activateWindow();
            box.box->setFocus();
            QTest::keyClicks(box.box, "12");
            ASSERT_EQ(box.text(), "12");
            QTest::keyClick(box.box, Qt::Key_Z, Qt::ControlModifier);
            ASSERT_EQ(box.text(), "");
            QTest::keyClick(box.box, redo.key(), redo.keyboardModifiers());
            EXPECT_EQ(box.text(), "12");
        }
    }
}

TEST_F(WindowKeys, middle_button_opens_the_function_menu_instead_of_pasting) {
    open("ReCalc=0\n");
    setSheet("12");
    QWidget* viewport = w().sheet()->viewport();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(
            type, QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), Qt::MiddleButton,
            type == QEvent::MouseButtonPress ? Qt::MiddleButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    }
    QMenu* func = w().mnuFuncItem().menu;
    EXPECT_TRUE(func->isVisible());
    func->hide();
    EXPECT_EQ(sheetText(), "12");
}

TEST_F(WindowKeys, ctrl_space_opens_the_formula_picker_without_blocking) {
    open("ReCalc=0\n");
    w().tag = "op";
    sendKey(w().sheet(), QEvent::KeyPress, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w().tag, "");
    EXPECT_EQ(sheetText(), "") << "the blank is swallowed";
    frmFormula* picker = w().findChild<frmFormula*>();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->mode(), FormulaMode::Picking);
    EXPECT_FALSE(picker->isModal());
    picker->close();
}

TEST_F(WindowKeys, controls_carry_their_names_captions_and_tooltips) {
    open();
    EXPECT_EQ(w().txt(0)->accessibleName(), "計算部");
    EXPECT_EQ(w().txt(1)->accessibleName(), "合計");
    EXPECT_EQ(w().txt(2)->accessibleName(), "各行の結果");
    EXPECT_EQ(w().cmdNum(NumKey::HexPrefix)->text(), "＆H");
    EXPECT_EQ(w().cmdNum(NumKey::HexPrefix)->toolTip(), "16進数を表す記号");
    EXPECT_EQ(w().cmdOp(OpKey::Sqrt)->toolTip(), "平方根。文字を選択した状態で押すと()で挟みます");
    EXPECT_EQ(w().cmdMenu(MenuKey::CopyResult)->text(), " A.");
    EXPECT_EQ(w().cmdMenu(MenuKey::CopyResult)->toolTip(), "演算結果をコピー");
    EXPECT_EQ(w().cmdMenu(MenuKey::CopyResult)->accessibleName(), "結果をコピー");
    EXPECT_TRUE(w().cmdNum(NumKey::Digit1)->toolTip().isEmpty());
    EXPECT_EQ(w().windowTitle(), "Quillsum");
    // Keys never take the focus from the sheet.
    click(w().cmdNum(NumKey::Digit1));
    EXPECT_EQ(QApplication::focusWidget(), w().sheet());
}

TEST_F(WindowKeys, menus_show_their_help_in_the_bar_and_as_pop_ups) {
    open();
    QMenu* view = w().mnuViewItem().menu;
    const auto hover = [view](QAction* item) {
        QTest::mouseMove(view, view->actionGeometry(item).center());
        QCoreApplication::processEvents();
    };
    w().menuBar()->setActiveAction(view->menuAction());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    hover(w().mnuViewItem().at(ViewItem::MoveMode));
    EXPECT_EQ(w().statusText(), "チェックを入れるとボタンを自由に配置できるモードになります");
    view->hide();
    QCoreApplication::processEvents();

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3),
                      w().cmdOp(OpKey::Minus)->mapToGlobal(QPointF(3, 3)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w().cmdOp(OpKey::Minus), &press);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    hover(w().mnuViewItem().at(ViewItem::GroupFour));
    EXPECT_EQ(w().statusText(), "4桁毎に「,」で区切ります");
    view->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(w().statusText(), "");
}

} // namespace
} // namespace quill::test
