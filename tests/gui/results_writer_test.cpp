// The results column is updated line by line; whatever the splices and lines a pass names,
// it must end up holding exactly the pass's lines.
#include "gui_fixture.h"
#include "window/results_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <random>

namespace quill::test {
namespace {

QString joined(const std::vector<std::u16string>& lines) {
    QStringList list;
    for (const auto& l : lines) list << QString::fromStdU16String(l);
    return list.join('\n');
}

std::vector<NumberedLine> numbered(const std::vector<std::u16string>& lines) {
    std::vector<NumberedLine> out;
    for (size_t i = 0; i < lines.size(); ++i) out.push_back({i, lines[i]});
    return out;
}

TEST(ResultsWriter, random_splices_and_lines_always_leave_the_column_equal_to_the_lines) {
    QPlainTextEdit column;
    ResultsWriter writer(&column);
    std::mt19937 random(12345);
    std::vector<std::u16string> lines{u""};
    writer.rewriteAll(numbered(lines));
    for (int round = 0; round < 600; ++round) {
        PassUpdate update;
        update.ran = true;
        for (int e = 1 + int(random() % 3); e > 0; --e) {
            const size_t first = random() % (lines.size() + 1);
            ColumnSplice s{first, 0, 0};
            if (random() % 2 && first < lines.size())
                s.removed = 1 + random() % std::min<size_t>(lines.size() - first, 3);
            else
                s.added = 1 + random() % 3;
            if (s.removed >= lines.size()) continue; // a column keeps one line
            lines.erase(lines.begin() + long(first), lines.begin() + long(first + s.removed));
            lines.insert(lines.begin() + long(first), s.added, u"");
            update.splices.push_back(s);
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            if (random() % 3) continue;
            lines[i] = random() % 4
                           ? std::u16string(1 + random() % 3, char16_t(u'a' + random() % 4))
                           : u"";
            update.lines.push_back({i, lines[i]});
        }
        if (random() % 50 == 0) {
            update.splices.clear();
            update.lines = numbered(lines);
            update.wholeColumn = true;
        }
        // Too many lines to write one by one: the window gives every line instead.
        if (!writer.show(update)) writer.rewriteAll(numbered(lines));
        ASSERT_EQ(column.toPlainText(), joined(lines)) << "round " << round;
    }
}

TEST(ResultsWriter, a_column_out_of_step_asks_for_every_line) {
    struct Row {
        const char* name;
        std::function<void(QPlainTextEdit&, ResultsWriter&)> before;
        std::vector<std::u16string> lines; // what the pass names, line 0 first
        bool written;
        bool inStepAfter; // the writer still knows the column
        std::vector<ColumnSplice> splices = {};
    };
    const std::vector<std::u16string> three{u"1", u"2", u"3"};
    const std::vector<std::u16string> twoHundred(200, u"7");
    const Row rows[] = {
        {"in step", [](QPlainTextEdit&, ResultsWriter&) {}, three, true, true},
        {"changed behind its back",
         [](QPlainTextEdit& c, ResultsWriter&) { c.setPlainText("x\ny\nz"); }, three, false, false},
        {"cleared", [](QPlainTextEdit&, ResultsWriter& w) { w.clear(); }, three, false, false},
        {"a result holding a line break",
         [](QPlainTextEdit&, ResultsWriter&) {},
         {u"1", u"a\nb", u"3"},
         false,
         true},
        {"most of a long column added line by line",
         [](QPlainTextEdit&, ResultsWriter& w) {
             w.rewriteAll(numbered(std::vector<std::u16string>(100, u"0")));
         },
         twoHundred,
         false,
         true,
         {{100, 0, 100}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QPlainTextEdit column;
        ResultsWriter writer(&column);
        writer.rewriteAll(numbered({u"0", u"0", u"0"}));
        row.before(column, writer);
        PassUpdate update;
        update.ran = true;
        update.lines = numbered(row.lines);
        update.splices = row.splices;
        EXPECT_EQ(writer.show(update), row.written);
        EXPECT_EQ(writer.inStep(), row.inStepAfter);
        writer.rewriteAll(numbered(row.lines));
        EXPECT_EQ(column.toPlainText(), joined(row.lines));
        EXPECT_EQ(writer.inStep(), qsizetype(row.lines.size()) == joined(row.lines).count('\n') + 1)
            << "a column whose lines are not the sheet's stays out of step";
    }
}

TEST(ResultsWriter, a_line_written_alone_repaints_that_line_alone) {
    // A key typed changes a result or two; the column must repaint those lines, not every
    // line from there down (which a replacement of the line's whole text brings about).
    struct Row {
        const char* name;
        std::u16string before, after;
    };
    const Row rows[] = {
        {"longer", u"5,009", u"50,091"},
        {"shorter", u"50,091", u"5,009"},
        {"same length", u"12,345", u"12,346"},
        {"much shorter", u"-1.2345E+300", u"0"},
        {"emptied", u"7,777", u""},
        {"filled", u"", u"12,800"},
        {"full-width", u"エラー", u"ゼロ除算エラー"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QPlainTextEdit column;
        column.resize(150, 300);
        column.show();
        ResultsWriter writer(&column);
        // The other lines are wider: a widest line that narrows has the column measured again.
        const std::u16string wide(60, u'8');
        std::vector<std::u16string> lines(40, wide);
        lines[3] = row.before;
        writer.rewriteAll(numbered(lines));
        QCoreApplication::processEvents();
        int wholeRepaints = 0;
        std::vector<int> linesRepainted;
        QAbstractTextDocumentLayout* layout = column.document()->documentLayout();
        QObject::connect(layout, &QAbstractTextDocumentLayout::update, &column,
                         [&](const QRectF&) { ++wholeRepaints; });
        QObject::connect(layout, &QAbstractTextDocumentLayout::updateBlock, &column,
                         [&](const QTextBlock& b) { linesRepainted.push_back(b.blockNumber()); });
        PassUpdate update;
        update.ran = true;
        update.lines = {{3, row.after}, {5, wide}};
        ASSERT_TRUE(writer.show(update));
        lines[3] = row.after;
        EXPECT_EQ(column.toPlainText(), joined(lines));
        EXPECT_EQ(wholeRepaints, 0);
        EXPECT_FALSE(linesRepainted.empty());
        EXPECT_TRUE(std::all_of(linesRepainted.begin(), linesRepainted.end(),
                                [](int line) { return line == 3; }));
        EXPECT_TRUE(writer.inStep());
    }
}

} // namespace
} // namespace quill::test
