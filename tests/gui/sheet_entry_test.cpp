// How text gets into the sheet: every way gives ordinary lines that the screen, the line keys
// and the calculation pass all count alike; and a pass that narrows the sheet leaves the caret
// and the selection on the characters they were on.
#include "dialogs/frmFormula.h"
#include "main_window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTextBlock>
#include <fstream>
#include <functional>

namespace quill::test {
namespace {

using SheetEntry = MainWindowTest;

// The document holds no soft line break and no control character but the tab, and has as many
// blocks (what the line keys count) as the plain text has lines (what the pass counts).
void expectPlainLines(QPlainTextEdit* sheet) {
    const QString raw = sheet->document()->toRawText();
    for (QChar c : raw) {
        const bool plainBreak = c == QChar::ParagraphSeparator;
        EXPECT_TRUE(plainBreak || c == u'\t' ||
                    (c.category() != QChar::Other_Control && c != QChar::LineSeparator))
            << "U+" << QString::number(c.unicode(), 16).toStdString();
    }
    EXPECT_EQ(sheet->blockCount(), sheet->toPlainText().count(u'\n') + 1);
}

void dropText(QPlainTextEdit* sheet, const QString& text) {
    QMimeData data;
    data.setText(text);
    const QPointF at(5, 5);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet->viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet->viewport(), &drop);
}

TEST_F(SheetEntry, every_way_in_gives_ordinary_lines) {
    const QString withNul = QString::fromUtf16(u"1+2\n3\0"
                                               u"4\n5\n",
                                               10);
    struct Row {
        const char* name;
        std::function<void(frmMain&)> enter;
        QString expected;
    };
    const auto press = [](int key, Qt::KeyboardModifiers mods) {
        return [key, mods](frmMain& m) {
            QTest::keyClicks(m.sheet(), "4");
            QTest::keyClick(m.sheet(), Qt::Key(key), mods);
            QTest::keyClicks(m.sheet(), "5");
        };
    };
    const auto clipboard = [](const QString& text, std::function<void(frmMain&)> paste) {
        return [text, paste](frmMain& m) {
            QGuiApplication::clipboard()->setText(text);
            paste(m);
        };
    };
    const auto ctrlV = [](frmMain& m) {
        QTest::keyClick(m.sheet(), Qt::Key_V, Qt::ControlModifier);
    };
    const auto editMenuPaste = [](frmMain& m) { m.mnuEditItem_Click(EditItem::Paste); };
    const Row rows[] = {
        {"Shift+Enter", press(Qt::Key_Return, Qt::ShiftModifier), "4\n5"},
        {"Alt+Enter", press(Qt::Key_Return, Qt::AltModifier), "4\n5"},
        {"keypad Enter", press(Qt::Key_Enter, Qt::KeypadModifier), "4\n5"},
        {"Shift+keypad Enter", press(Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier),
         "4\n5"},
        {"Ctrl+V cuts at NUL", clipboard(withNul, ctrlV), "1+2\n3"},
        {"Edit menu paste cuts at NUL", clipboard(withNul, editMenuPaste), "1+2\n3"},
        {"paste of odd line breaks", clipboard(u"1\u20282\u20293\r4\u00855\r\n6"_qs, ctrlV),
         "1\n2\n3\n4\n5\n6"},
        {"paste drops controls", clipboard(u"1\u001b2\u00073\t4"_qs, editMenuPaste), "123\t4"},
        {"numbers-only paste",
         clipboard(u"1\u20282"_qs, [](frmMain& m) { m.mnuEditItem_Click(EditItem::PasteNumbers); }),
         "1\n2"},
        {"drop", [](frmMain& m) { dropText(m.sheet(), u"7\u20288\u0000"_qs + "9"); }, "7\n8"},
        {"input method commit",
         [](frmMain& m) {
             QInputMethodEvent commit;
             commit.setCommitString(u"6\u20287\u0001"_qs);
             QCoreApplication::sendEvent(m.sheet(), &commit);
         },
         "6\n7"},
        {"picked formula", [](frmMain& m) { insertFormula(m.sheet(), u"1\u2028[sel]\u0000x"_qs); },
         "1\n"},
        {"inserted formula text", [](frmMain& m) { m.insertText(u"8\r9\u2028"_qs); }, "8\n9\n"},
    };
    open("ReCalc=0\n");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setSheet("");
        row.enter(w());
        EXPECT_EQ(sheetText(), row.expected);
        expectPlainLines(w().sheet());
    }
}

TEST_F(SheetEntry, line_keys_see_the_lines_shift_enter_made) {
    open("ReCalc=0\n");
    QPlainTextEdit* sheet = w().sheet();
    QTest::keyClicks(sheet, "1");
    QTest::keyClick(sheet, Qt::Key_Return);
    QTest::keyClicks(sheet, "4");
    QTest::keyClick(sheet, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(sheet, "5");
    QTest::keyClick(sheet, Qt::Key_Return);
    QTest::keyClicks(sheet, "6");
    QTest::keyClick(sheet, Qt::Key_Up);
    click(w().cmdMenu(MenuKey::ClearLine)); // CE: the caret's line goes
    EXPECT_EQ(sheetText(), "1\n4\n6");
    w().calculate();
    EXPECT_EQ(total(), "11");
}

TEST_F(SheetEntry, narrowing_keeps_caret_and_selection_on_their_characters) {
    struct Row {
        const char* name;
        QString sheet;
        int anchor, caret;
        QString narrowed;
        int narrowedAnchor, narrowedCaret;
    };
    const Row rows[] = {
        {"caret on the next line", u"LEN(\"ガス\")\n"_qs, 10, 10, u"LEN(\"ｶﾞｽ\")\n"_qs, 11, 11},
        {"caret after the kana", u"\"ガス\"+1"_qs, 4, 4, u"\"ｶﾞｽ\"+1"_qs, 5, 5},
        {"selection over the kana", u"\"ガス\"\n2"_qs, 1, 6, u"\"ｶﾞｽ\"\n2"_qs, 1, 7},
        {"one-to-one narrowing", u"１＋２"_qs, 3, 1, "1+2", 3, 1},
    };
    open("ReCalc=0\n");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setSheet(row.sheet, row.caret, row.anchor);
        w().calculate();
        EXPECT_EQ(sheetText(), row.narrowed);
        EXPECT_EQ(w().sheet()->textCursor().anchor(), row.narrowedAnchor);
        EXPECT_EQ(caret(), row.narrowedCaret);
    }
}

TEST_F(SheetEntry, typing_after_a_narrowed_line_lands_on_the_new_line) {
    open("ReCalc=1\n");
    setSheet(u"LEN(\"ガス\")"_qs);
    QTest::keyClick(w().sheet(), Qt::Key_Return);
    QCoreApplication::processEvents(); // the pass that narrows the line runs
    QTest::keyClicks(w().sheet(), "5");
    QTest::keyClick(w().sheet(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(sheetText(), u"LEN(\"ｶﾞｽ\")\n5\n"_qs);
    EXPECT_EQ(total(), "8");
}

// The pass narrows what an edit brought in as part of that edit: Ctrl+Z takes the edit back
// whole, where undoing only the narrowing let the next pass narrow again and undo never got
// past it.
TEST_F(SheetEntry, undo_takes_back_a_narrowed_edit_whole) {
    struct Row {
        const char* name;
        std::function<void(frmMain&)> edit;
    };
    const auto committed = [](const QString& text) {
        return [text](frmMain& m) {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(m.sheet(), &commit);
            QCoreApplication::processEvents(); // the pass the commit started
        };
    };
    // A key that types a character (a keyboard layout or a key sender); its release starts a
    // pass.
    const auto typed = [](QChar c) {
        return [c](frmMain& m) {
            sendKey(m.sheet(), QEvent::KeyPress, 0, Qt::NoModifier, c);
            sendKey(m.sheet(), QEvent::KeyRelease, 0, Qt::NoModifier, c);
        };
    };
    const auto file = folder() / "tape.txt";
    std::ofstream(file) << "５＋５\nLEN(\"ガス\")\n";
    const Row rows[] = {
        {"input method commit", committed(u"２＋ガ"_qs)},
        {"a typed full-width digit", typed(u'２')},
        {"a typed kana", typed(u'ガ')},
        {"pasted full-width",
         [](frmMain& m) {
             QGuiApplication::clipboard()->setText(u"１０\n２０"_qs);
             QTest::keyClick(m.sheet(), Qt::Key_V, Qt::ControlModifier);
         }},
        {"opened file",
         [file](frmMain& m) {
             ASSERT_TRUE(m.openSheetFile(QString::fromStdString(file.string())));
         }},
    };
    open("ReCalc=-1\n");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setSheet("9\n");
        w().calculate();
        row.edit(w());
        ASSERT_NE(sheetText(), "9\n");
        QTest::keyClick(w().sheet(), Qt::Key_Z, Qt::ControlModifier);
        QCoreApplication::processEvents(); // the pass the key started
        EXPECT_EQ(sheetText(), "9\n") << sheetText().toStdString();
        EXPECT_EQ(total(), "9");
    }
}

} // namespace
} // namespace quill::test
