// The results column draws its own lines; it must line up with the sheet (a plain text box)
// line for line, and select, copy and answer a screen reader as a read-only text box does.
#include "gui_fixture.h"
#include "widgets/results_column.h"

#include <QAccessible>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace quill::test {
namespace {

std::vector<std::u16string> numberLines(int count) {
    std::vector<std::u16string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back(QString::number(i).toStdU16String());
    return lines;
}

TEST(ResultsColumn, lines_up_with_a_plain_text_box_at_every_scroll_position) {
    for (int pointSize : {9, 12, 20}) {
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPointSize(pointSize);
        QPlainTextEdit box;
        box.setLineWrapMode(QPlainTextEdit::NoWrap);
        box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ResultsColumn column;
        QStringList text;
        for (const auto& l : numberLines(80)) text << QString::fromStdU16String(l);
        box.setPlainText(text.join('\n'));
        column.setLines(numberLines(80));
        for (QWidget* w : {static_cast<QWidget*>(&box), static_cast<QWidget*>(&column)}) {
            w->setFont(font);
            w->resize(160, 301);
            w->show();
        }
        QCoreApplication::processEvents();
        SCOPED_TRACE(pointSize);
        EXPECT_EQ(column.verticalScrollBar()->maximum(), box.verticalScrollBar()->maximum());
        EXPECT_EQ(column.verticalScrollBar()->pageStep(), box.verticalScrollBar()->pageStep());
        for (int value : {0, 1, 7, box.verticalScrollBar()->maximum()}) {
            SCOPED_TRACE(value);
            box.verticalScrollBar()->setValue(value);
            column.verticalScrollBar()->setValue(value);
            QCoreApplication::processEvents();
            for (int line = value; line < value + 6; ++line) {
                const QRect sheet =
                    box.cursorRect(QTextCursor(box.document()->findBlockByNumber(line)));
                const QRect result = column.placeRect({line, 0});
                EXPECT_NEAR(result.top(), sheet.top(), 1) << "line " << line;
                EXPECT_NEAR(result.left(), sheet.left(), 1) << "line " << line;
            }
        }
    }
}

TEST(ResultsColumn, selects_and_copies_as_a_read_only_text_box) {
    struct Row {
        const char* name;
        std::function<void(ResultsColumn&)> act;
        QString selected;
    };
    auto keys = [](std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> list) {
        return [list](ResultsColumn& c) {
            for (const auto& [key, modifiers] : list) QTest::keyClick(&c, key, modifiers);
        };
    };
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Row rows[] = {
        {"shift+end", keys({{Qt::Key_End, shift}}), QStringLiteral("1,234")},
        {"shift+down twice", keys({{Qt::Key_Down, shift}, {Qt::Key_Down, shift}}),
         QStringLiteral("1,234\n+ 5\n")},
        {"shift+right past a line's end",
         keys({{Qt::Key_Right, shift},
               {Qt::Key_Right, shift},
               {Qt::Key_Right, shift},
               {Qt::Key_Right, shift},
               {Qt::Key_Right, shift},
               {Qt::Key_Right, shift}}),
         QStringLiteral("1,234\n")},
        {"down, end, shift+home",
         keys({{Qt::Key_Down, {}}, {Qt::Key_End, {}}, {Qt::Key_Home, shift}}),
         QStringLiteral("+ 5")},
        {"select all", keys({{Qt::Key_A, Qt::ControlModifier}}),
         QStringLiteral("1,234\n+ 5\nエラー\n")},
        {"shift+ctrl+end from the last line but one",
         keys({{Qt::Key_Down, {}}, {Qt::Key_Down, {}}, {Qt::Key_End, shift | Qt::ControlModifier}}),
         QStringLiteral("エラー\n")},
        {"a click, then a shift+click",
         [](ResultsColumn& c) {
             QTest::mouseClick(c.viewport(), Qt::LeftButton, {}, c.placeRect({1, 0}).center());
             QTest::mouseClick(c.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                               c.placeRect({2, 1}).center() + QPoint(1, 0));
         },
         QStringLiteral("+ 5\nエ")},
        {"a double click selects the number",
         [](ResultsColumn& c) {
             QTest::mouseDClick(c.viewport(), Qt::LeftButton, {}, c.placeRect({0, 2}).center());
         },
         QStringLiteral("1,234")},
        {"the line being read", [](ResultsColumn& c) { c.selectLine(2); },
         QStringLiteral("エラー")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResultsColumn column;
        column.setLines({u"1,234", u"+ 5", u"エラー", u""});
        column.resize(160, 200);
        column.show();
        column.setFocus();
        QCoreApplication::processEvents();
        row.act(column);
        EXPECT_EQ(column.selectedText(), row.selected);
        QApplication::clipboard()->clear();
        QTest::keyClick(&column, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), row.selected);
    }
}

TEST(ResultsColumn, a_screen_reader_reads_the_lines_and_the_selection) {
    ResultsColumn column;
    column.setAccessibleName(QStringLiteral("各行の結果"));
    column.setLines({u"1,234", u"+ 5", u"エラー"});
    column.selectLine(1);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&column);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->textInterface(), nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("各行の結果"));
    EXPECT_TRUE(a->state().readOnly);
    QAccessibleTextInterface* text = a->textInterface();
    EXPECT_EQ(text->characterCount(), 13);
    EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("1,234\n+ 5\nエラー"));
    int start = 0, end = 0;
    text->selection(0, &start, &end);
    EXPECT_EQ(text->text(start, end), QStringLiteral("+ 5"));
    text->setSelection(0, 10, 13);
    EXPECT_EQ(column.selectedText(), QStringLiteral("エラー"));
}

// A result holding a line break stays one line: the text a screen reader gets and the copy
// have one line per sheet line, the break shown as a mark wherever the result came from.
TEST(ResultsColumn, a_line_break_inside_a_result_keeps_one_line_per_sheet_line) {
    const QString mark(ResultsColumn::kLineBreakMark);
    struct Row {
        const char* name;
        std::u16string result;
        QString shown;
    };
    const Row rows[] = {
        {"LF", u"5\n7", "5" + mark + "7"},
        {"CR LF is one break", u"5\r\n7", "5" + mark + "7"},
        {"lone CR", u"\r", mark},
        {"two LFs", u"\n\n", mark + mark},
        {"line and paragraph separators", u"a\u2028b\u2029", "a" + mark + "b" + mark},
    };
    using Write = std::function<void(ResultsColumn&, const std::u16string&)>;
    const std::pair<const char*, Write> writes[] = {
        {"written whole",
         [](ResultsColumn& c, const std::u16string& r) {
             c.setLines({u"5", r, u"7"});
         }},
        {"made when read",
         [](ResultsColumn& c, const std::u16string& r) {
             c.setLines(3, [r](size_t i) { return i == 1 ? r : std::u16string(i ? u"7" : u"5"); });
         }},
        {"one line written",
         [](ResultsColumn& c, const std::u16string& r) {
             c.setLines({u"5", u"", u"7"});
             c.setLine(1, r);
         }},
    };
    for (const Row& row : rows) {
        for (const auto& [how, write] : writes) {
            SCOPED_TRACE(std::string(row.name) + ", " + how);
            ResultsColumn column;
            write(column, row.result);
            const QString expected = "5\n" + row.shown + "\n7";
            EXPECT_EQ(column.line(1), row.shown);
            EXPECT_EQ(column.toPlainText(), expected);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&column);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(QAccessible::Value), expected);
            column.selectAll();
            QApplication::clipboard()->clear();
            column.copy();
            EXPECT_EQ(QApplication::clipboard()->text(), expected);
        }
    }
}

} // namespace
} // namespace quill::test
