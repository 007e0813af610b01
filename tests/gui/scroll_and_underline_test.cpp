// The sheet and the results column scroll together, and the underline marks the caret's line.
#include "main_window_fixture.h"
#include "widgets/line_helpers.h"

#include <QScrollBar>

namespace quill::test {
namespace {

using ScrollAndUnderline = MainWindowTest;

QString numberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) lines << QString::number(i);
    return lines.join('\n');
}

TEST_F(ScrollAndUnderline, the_boxes_scroll_together_either_way) {
    open("ReCalc=0\n");
    setSheet(numberedLines(300), 0);
    w().calculate();
    QScrollBar* sheetBar = w().sheet()->verticalScrollBar();
    QScrollBar* resultsBar = w().resultsColumn()->verticalScrollBar();
    ASSERT_GT(sheetBar->maximum(), 100);

    sheetBar->setValue(120);
    EXPECT_EQ(resultsBar->value(), 120);
    resultsBar->setValue(40);
    EXPECT_EQ(sheetBar->value(), 40);

    // Keys that move the caret far down scroll both boxes.
    QTest::keyClick(w().sheet(), Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_GT(sheetBar->value(), 250);
    EXPECT_EQ(resultsBar->value(), sheetBar->value());
}

TEST_F(ScrollAndUnderline, a_pass_leaves_the_column_where_the_sheet_is) {
    open("ReCalc=0\n");
    setSheet(numberedLines(300));
    QScrollBar* sheetBar = w().sheet()->verticalScrollBar();
    sheetBar->setValue(200);
    w().calculate();
    EXPECT_EQ(w().resultsColumn()->verticalScrollBar()->value(), sheetBar->value());
}

TEST_F(ScrollAndUnderline, a_shorter_column_does_not_pull_the_sheet_back) {
    open("ReCalc=0\n");
    setSheet(numberedLines(50));
    w().calculate();
    setSheet(numberedLines(300)); // typed lines not calculated yet
    QScrollBar* sheetBar = w().sheet()->verticalScrollBar();
    sheetBar->setValue(250);
    EXPECT_EQ(sheetBar->value(), 250);
}

TEST_F(ScrollAndUnderline, the_underline_lies_under_the_caret_line) {
    open("ReCalc=0\n");
    setSheet("1\n2\n3", 0);
    const int lineHeight = w().sheet()->cursorRect().height();
    const int first = w().pic(2)->y();
    struct Row {
        const char* name;
        QString text;
        int caret;
        int lineBelowFirst;
    } rows[] = {{"first line", "1\n2\n3", 0, 0},
                {"third line", "1\n2\n3", 5, 2},
                {"after a final line break", "1\n2\n", 4, 2},
                {"empty sheet", "", 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setSheet(row.text, row.caret);
        EXPECT_EQ(w().pic(2)->y(), first + row.lineBelowFirst * lineHeight);
        EXPECT_TRUE(w().pic(2)->isVisible());
    }
    EXPECT_EQ(w().pic(2)->x(), 1);
    EXPECT_EQ(w().pic(2)->width(), w().pic(1)->x() - 2);
    EXPECT_EQ(w().pic(2)->height(), 1);
}

TEST_F(ScrollAndUnderline, the_underline_hides_below_the_visible_sheet) {
    open("ReCalc=0\n");
    setSheet(numberedLines(300));
    QCoreApplication::processEvents();
    QScrollBar* bar = w().sheet()->verticalScrollBar();
    EXPECT_TRUE(w().pic(2)->isVisible()) << "a caret on the last visible line keeps its marker";
    // The caret stays on the last line while the view scrolls up away from it, then back.
    bar->setValue(0);
    EXPECT_FALSE(w().pic(2)->isVisible());
    bar->setValue(bar->maximum());
    EXPECT_TRUE(w().pic(2)->isVisible());
}

TEST_F(ScrollAndUnderline, a_switched_off_underline_stays_hidden) {
    open("ReCalc=0\nUnderLine=0\n");
    setSheet("1\n2", 2);
    EXPECT_FALSE(w().pic(2)->isVisible());
}

TEST_F(ScrollAndUnderline, line_helpers_count_characters_not_bytes) {
    open("ReCalc=0\n");
    setSheet(QStringLiteral("万円\n12\n"), 0);
    EXPECT_EQ(GetLine(w().sheet()), 1);
    sJumpLine(w().sheet(), 2);
    EXPECT_EQ(caret(), 3);
    EXPECT_EQ(GetTextBoxLineString(w().sheet(), 0), QStringLiteral("万円"));
    sJumpLine(w().sheet(), 0);
    sJumpLine(w().sheet(), 9);
    EXPECT_EQ(caret(), 3) << "lines outside the sheet leave the caret";
    EXPECT_EQ(GetTextBoxLineIndex(w().sheet(), 3), -1);
    int line = 0, column = 0;
    select(4);
    EXPECT_EQ(CaretLineColumn(w().sheet(), line, column), 3);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(column, 2);
}

} // namespace
} // namespace quill::test
