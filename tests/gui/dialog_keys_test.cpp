// Both dialogs by keyboard (Return presses the focused button, OK from anywhere else, Esc
// cancels), the colour preview and swatch named by their colours, and the keypad growing
// with a larger desktop font.
#include "dialogs/frmFormula.h"
#include "dialogs/frmSet.h"
#include "main_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <optional>

namespace quill::test {
namespace {

class DialogKeys : public MainWindowTest {};

TEST_F(DialogKeys, ReturnPressesTheFocusedButtonOrOkAndEscCancels) {
    writeIni("[Calc]\n");
    struct Case {
        const char* name;
        std::optional<SetButton> focusButton; // none: the first control, or the font-size field
        bool sizeField;
        Qt::Key key;
        int result; // QDialog::Accepted, Rejected, or -1 for still open
        int applied;
    } cases[] = {
        {"Return on the first control", {}, false, Qt::Key_Return, QDialog::Accepted, 1},
        {"Enter in the font-size field", {}, true, Qt::Key_Enter, QDialog::Accepted, 1},
        {"Return on 適用", SetButton::Apply, false, Qt::Key_Return, -1, 1},
        {"Return on キャンセル", SetButton::Cancel, false, Qt::Key_Return, QDialog::Rejected, 0},
        {"Esc", {}, false, Qt::Key_Escape, QDialog::Rejected, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmSet d(SheetLook{}, iniFile(), nullptr, {});
        QSignalSpy applied(&d, &frmSet::applied);
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        QWidget* target = c.focusButton ? d.cmdMenu(*c.focusButton)
                          : c.sizeField ? static_cast<QWidget*>(d.cboOption()->lineEdit())
                                        : d.chkPI();
        target->setFocus();
        QTest::keyClick(target, c.key);
        EXPECT_EQ(d.isVisible() ? -1 : d.result(), c.result);
        EXPECT_EQ(applied.count(), c.applied);
    }

    frmFormula editor(FormulaMode::Editing, iniFile(), nullptr);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QTest::keyClick(editor.cmdMenu(FormulaButton::Ok), Qt::Key_Return);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.result(), QDialog::Accepted);
}

TEST_F(DialogKeys, PreviewAndSwatchNameTheirColours) {
    writeIni("[Calc]\n");
    SheetLook look;
    look.back = 0x800000; // stored as 0x00BBGGRR: navy
    look.fore = 0xFFFFFF;
    look.lineColor = 0x0000FF;
    frmSet d(look, iniFile(), nullptr, {});
    EXPECT_EQ(d.preview()->accessibleName(), "文字色 #FFFFFF、背景色 #000080");
    EXPECT_EQ(d.swatch()->accessibleName(), "下線の色 #FF0000");
    EXPECT_NE(d.cmdMenu(SetButton::LineColour)->accessibleName(), d.windowTitle())
        << "not just 設定";
}

TEST_F(DialogKeys, KeypadGrowsWithALargerFontAndTheWindowKeepsItAndTheMenus) {
    open();
    EXPECT_EQ(w().keypad()->height(), KeypadPanel::panelHeight) << "the default font";
    QFont large = w().font();
    large.setPointSize(14);
    w().setFont(large);
    w().resize(50, 50);
    QCoreApplication::processEvents();
    EXPECT_GT(w().keypad()->height(), KeypadPanel::panelHeight);
    EXPECT_EQ(w().cmdNum(NumKey::Digit1)->font().families(), w().font().families());
    for (KeypadButton* b : w().keypad()->buttons()) {
        if (b->isHidden()) continue;
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text()));
        EXPECT_GE(b->height(), b->fontMetrics().height());
        EXPECT_LE(b->geometry().right(), w().keypad()->width()) << "within reach";
    }
    EXPECT_GE(w().menuBar()->width(), w().menuBar()->sizeHint().width()) << "no menu behind »";
}

// A window at the default size was drawn for the default keypad: with a desktop font that
// makes the keypad taller, the window grows with it instead of squeezing the sheet to a line.
TEST_F(DialogKeys, ALargerFontKeepsTheSheetOfTheDefaultWindow) {
    open("", QSize());
    const int defaultSheet = w().sheet()->height();
    window_.reset();
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSize(14);
    QApplication::setFont(large);
    open("", QSize());
    const int sheet = w().sheet()->height();
    QApplication::setFont(before);
    EXPECT_GT(w().keypad()->height(), KeypadPanel::panelHeight);
    EXPECT_GE(sheet, defaultSheet);
}

} // namespace
} // namespace quill::test
