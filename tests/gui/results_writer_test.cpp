// The results column is updated line by line; whatever the splices and lines a pass names,
// it must end up holding exactly the pass's lines.
#include "gui_fixture.h"
#include "widgets/results_column.h"
#include "window/results_writer.h"

#include <QPaintEvent>
#include <QScrollBar>
#include <random>

namespace quill::test {
namespace {

// The column's text for these results: one line each, a break inside one shown as a mark.
QString joined(const std::vector<std::u16string>& lines) {
    QStringList list;
    for (const auto& l : lines) list << QString::fromStdU16String(ResultsColumn::oneLine(l));
    return list.join('\n');
}

std::vector<NumberedLine> numbered(const std::vector<std::u16string>& lines) {
    std::vector<NumberedLine> out;
    for (size_t i = 0; i < lines.size(); ++i) out.push_back({i, lines[i]});
    return out;
}

// A pass's kept values whose result lines are `values` (with the "+ " of a line after the
// first; an empty value gives a blank line).
std::shared_ptr<const ResultTexts> kept(const std::vector<std::u16string>& values) {
    std::vector<ResultTexts::Line> lines;
    for (const auto& v : values)
        lines.push_back({v.empty() ? LineKind::Blank : LineKind::Add, Value::text(v)});
    return std::make_shared<const ResultTexts>(std::move(lines), Grouping::None);
}

std::vector<std::u16string> textsOf(const ResultTexts& texts) {
    std::vector<std::u16string> out;
    for (size_t i = 0; i < texts.size(); ++i) out.push_back(texts.text(i));
    return out;
}

TEST(ResultsWriter, random_splices_and_lines_always_leave_the_column_equal_to_the_lines) {
    ResultsColumn column;
    ResultsWriter writer(&column);
    std::mt19937 random(12345);
    std::vector<std::u16string> lines{u""};
    writer.rewriteAll(kept(lines));
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
        if (random() % 20 == 0) {
            update.splices.clear();
            update.lines.clear();
            update.wholeTexts = kept(lines);
            update.wholeColumn = true;
            lines = textsOf(*update.wholeTexts);
        }
        ASSERT_TRUE(writer.show(update));
        // Lines written whole are made when read: read now and then, so that some stay
        // unmade through later splices and writes.
        if (random() % 4 == 0) {
            const int line = int(random() % lines.size());
            ASSERT_EQ(column.line(line), QString::fromStdU16String(lines[size_t(line)]));
        }
        if (random() % 8 == 0) {
            ASSERT_EQ(column.toPlainText(), joined(lines)) << "round " << round;
        }
    }
    EXPECT_EQ(column.toPlainText(), joined(lines));
}

TEST(ResultsWriter, a_column_out_of_step_asks_for_every_line) {
    struct Row {
        const char* name;
        std::function<void(ResultsColumn&, ResultsWriter&)> before;
        bool written;
    };
    const Row rows[] = {
        {"in step", [](ResultsColumn&, ResultsWriter&) {}, true},
        {"cleared", [](ResultsColumn&, ResultsWriter& w) { w.clear(); }, false},
        {"lines added behind its back",
         [](ResultsColumn& c, ResultsWriter&) { c.insertLines(0, 2); }, false},
    };
    const std::vector<std::u16string> three{u"1", u"a\nb", u"3"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResultsColumn column;
        ResultsWriter writer(&column);
        writer.rewriteAll(kept({u"0", u"0", u"0"}));
        row.before(column, writer);
        PassUpdate update;
        update.ran = true;
        update.lines = numbered(three);
        EXPECT_EQ(writer.show(update), row.written);
        EXPECT_EQ(writer.inStep(), row.written);
        writer.rewriteAll(kept(three));
        EXPECT_TRUE(writer.inStep());
        // A result holding a line break keeps to its own line.
        EXPECT_EQ(column.lineCount(), 3);
        EXPECT_EQ(column.toPlainText(), joined(textsOf(*kept(three))));
    }
}

// Records the areas the column's view repaints.
class PaintLog : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

TEST(ResultsWriter, a_line_written_alone_repaints_that_line_alone) {
    // A key typed changes a result or two; the column must repaint those lines, not every
    // line from there down.
    struct Row {
        const char* name;
        std::u16string before, after;
        int scrolledTo;
    };
    const Row rows[] = {
        {"longer", u"5,009", u"50,091", 0}, {"shorter", u"50,091", u"5,009", 0},
        {"emptied", u"7,777", u"", 0},      {"full-width", u"エラー", u"ゼロ除算エラー", 0},
        {"scrolled down", u"1", u"2", 2},   {"scrolled out of view", u"1", u"2", 10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResultsColumn column;
        column.resize(150, 300);
        column.show();
        ResultsWriter writer(&column);
        std::vector<std::u16string> lines(40, std::u16string(60, u'8'));
        lines[3] = row.before;
        writer.rewriteAll(kept(lines));
        lines = textsOf(*kept(lines));
        column.verticalScrollBar()->setValue(row.scrolledTo);
        QCoreApplication::processEvents();
        PaintLog log;
        column.viewport()->installEventFilter(&log);
        PassUpdate update;
        update.ran = true;
        update.lines = {{3, row.after}, {5, lines[5]}};
        ASSERT_TRUE(writer.show(update));
        QCoreApplication::processEvents();
        lines[3] = row.after;
        EXPECT_EQ(column.toPlainText(), joined(lines));
        const QRect line3 = column.placeRect({3, 0});
        const QRect expected(0, line3.top(), column.viewport()->width(), line3.height());
        if (row.scrolledTo > 3)
            EXPECT_TRUE(log.painted.isEmpty());
        else
            EXPECT_EQ(log.painted.boundingRect(), expected.intersected(column.viewport()->rect()));
        EXPECT_TRUE(writer.inStep());
    }
}

} // namespace
} // namespace quill::test
