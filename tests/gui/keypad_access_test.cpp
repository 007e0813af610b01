// The keypad for keyboard and screen-reader users: names and descriptions, moving between
// buttons by arrow keys in the order they stand, pressing by Space and Return, and the
// shortcuts of keys that have no key of their own elsewhere.
#include "keypad/key_names.h"
#include "keypad/keypad_keyboard.h"
#include "keypad/reading_order.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <set>

namespace quill::test {
namespace {

class KeypadAccess : public MainWindowTest {
protected:
    std::vector<KeypadButton*> allKeys() {
        std::vector<KeypadButton*> keys = w().keypad()->buttons();
        keys.push_back(w().cmdMenu(MenuKey::CopyResult));
        return keys;
    }
    void activate() {
        w().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    }
    // A key to whatever has the focus, as the keyboard would send it.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }
    QString focusName() const {
        QWidget* f = QApplication::focusWidget();
        return f ? f->accessibleName() : QString();
    }
};

TEST_F(KeypadAccess, EveryKeyHasItsOwnNameAndADescriptionWithCaptionAndKey) {
    open();
    std::set<QString> names;
    for (KeypadButton* b : allKeys()) {
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_FALSE(b->accessibleName().isEmpty());
        EXPECT_TRUE(names.insert(b->accessibleName()).second) << "shared name";
        EXPECT_TRUE(b->accessibleDescription().contains(b->text().trimmed()));
        EXPECT_EQ(b->focusPolicy(), Qt::TabFocus) << "reachable by keyboard, not taken by clicks";
    }
    // The two keys captioned "C" and the two deleting keys are told apart.
    EXPECT_EQ(w().cmdMenu(MenuKey::Clear)->accessibleName(), "全消去");
    EXPECT_EQ(w().cmdNum(NumKey::HexC)->accessibleName(), "16進数の C");
    EXPECT_NE(w().cmdMenu(MenuKey::Back)->accessibleName(),
              w().cmdMenu(MenuKey::Delete)->accessibleName());
    EXPECT_EQ(w().cmdMenu(MenuKey::CopyResult)->accessibleName(), "結果をコピー");
    EXPECT_EQ(w().cmdMenu(MenuKey::CopyResult)->accessibleDescription(),
              "表示「A.」、キー Ctrl+Shift+C");
}

TEST_F(KeypadAccess, KeypadShortcutsClashWithNoMenuKey) {
    open();
    std::set<QString> keys{KeypadKeyboard::switchKey.toString()};
    for (QAction* menu : w().menuBar()->actions())
        for (QAction* item : menu->menu()->actions()) {
            if (item->shortcut().isEmpty()) continue;
            EXPECT_TRUE(keys.insert(item->shortcut().toString()).second)
                << item->shortcut().toString().toStdString();
        }
    int own = 0;
    for (KeypadButton* b : allKeys()) {
        const QKeySequence key = keyOwnShortcut(b->array(), b->index());
        if (key.isEmpty()) continue;
        ++own;
        EXPECT_TRUE(keys.insert(key.toString()).second) << key.toString().toStdString();
    }
    EXPECT_EQ(own, 5) << "copy result, √, (, ) and π";
}

TEST(ReadingOrder, FollowsWhereButtonsStandAndArrowsGoByRows) {
    // Two rows; the third button was dragged left of the first, a little lower.
    const std::vector<QRect> rects = {
        {40, 0, 40, 20}, {80, 0, 40, 20}, {0, 6, 40, 20}, {0, 30, 40, 20}, {90, 30, 40, 20}};
    EXPECT_EQ(readingOrder(rects), (std::vector<int>{2, 0, 1, 3, 4}));
    struct Case {
        int from;
        Qt::Key key;
        int to;
    } cases[] = {
        {0, Qt::Key_Right, 1},
        {0, Qt::Key_Left, 2},
        {2, Qt::Key_Left, 4} /* wraps */,
        {4, Qt::Key_Right, 2},
        {1, Qt::Key_Down, 4},
        {0, Qt::Key_Down, 3},
        {4, Qt::Key_Up, 1},
        {3, Qt::Key_Down, 3} /* no row below */,
        {1, Qt::Key_Home, 2},
        {2, Qt::Key_End, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(arrowTarget(rects, c.from, c.key), c.to) << c.from << " key " << c.key;
}

TEST_F(KeypadAccess, F8ArrowsSpaceReturnAndEscDriveTheKeypad) {
    open("ReCalc=0\n");
    activate();
    setSheet("12");
    press(Qt::Key_F8);
    EXPECT_EQ(focusName(), "前の1文字を削除") << "first key in reading order";
    press(Qt::Key_Down);
    EXPECT_EQ(focusName(), "数字の 7");
    press(Qt::Key_Right);
    EXPECT_EQ(focusName(), "数字の 8");
    press(Qt::Key_Space);
    press(Qt::Key_Return);
    EXPECT_EQ(sheetText(), "1288");
    EXPECT_EQ(focusName(), "数字の 8") << "pressing keeps the keyboard on the key";
    // Esc goes back to the sheet and clears nothing; F8 comes back to the same key.
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), w().sheet());
    EXPECT_EQ(sheetText(), "1288");
    press(Qt::Key_F8);
    EXPECT_EQ(focusName(), "数字の 8");
    press(Qt::Key_F8);
    EXPECT_EQ(QApplication::focusWidget(), w().sheet());
    // A click still leaves the keyboard in the sheet.
    click(w().cmdNum(NumKey::Digit1));
    EXPECT_EQ(QApplication::focusWidget(), w().sheet());
}

TEST_F(KeypadAccess, ArrowsFollowAMovedButton) {
    open();
    activate();
    // "7" dragged to the far right of the top row comes last in that row.
    KeypadButton* seven = w().cmdNum(NumKey::Digit7);
    seven->moveTwips({5900, 0});
    w().cmdMenu(MenuKey::Delete)->setFocus();
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(focusName(), "数字の 7");
}

TEST_F(KeypadAccess, ShortcutsOfKeysWithoutAKeyOfTheirOwn) {
    open("ReCalc=0\n");
    activate();
    struct Case {
        QKeySequence key;
        QString before;
        int selectFrom; // -1: no selection
        QString after;
    } cases[] = {
        {QKeySequence("Ctrl+Shift+R"), "1+2", 0, "SQR(1+2)"},
        {QKeySequence("Ctrl+["), "1+2", 0, "(1+2)"},
        {QKeySequence("Ctrl+]"), "1+2", -1, "1+2)"},
        {QKeySequence("Ctrl+Shift+P"), "2*", -1, "2*3.14159265358979"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.toString().toStdString());
        setSheet(c.before, int(c.before.size()), c.selectFrom);
        w().sheet()->setFocus();
        QTest::keySequence(&w(), c.key);
        QCoreApplication::processEvents();
        EXPECT_EQ(sheetText(), c.after);
    }
    setSheet("1200\n+ 300");
    w().calculate();
    QTest::keySequence(&w(), QKeySequence("Ctrl+Shift+C"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1500");
}

} // namespace
} // namespace quill::test
