// The results column is updated line by line; whatever the edits, it must end up holding
// exactly the pass's lines.
#include "gui_fixture.h"
#include "window/results_writer.h"

#include <QPlainTextEdit>
#include <random>

namespace quill::test {
namespace {

QString joined(const std::vector<std::u16string>& lines) {
    QStringList list;
    for (const auto& l : lines) list << QString::fromStdU16String(l);
    return list.join('\n');
}

TEST(ResultsWriter, random_edits_always_leave_the_column_equal_to_the_lines) {
    QPlainTextEdit column;
    ResultsWriter writer(&column);
    std::mt19937 random(12345);
    std::vector<std::u16string> lines;
    for (int round = 0; round < 400; ++round) {
        const int edits = 1 + int(random() % 3);
        for (int e = 0; e < edits; ++e) {
            const size_t at = lines.empty() ? 0 : random() % (lines.size() + 1);
            const std::u16string value(1 + random() % 3, char16_t(u'a' + random() % 4));
            switch (random() % 4) {
            case 0: lines.insert(lines.begin() + long(at), value); break;
            case 1:
                if (at < lines.size()) lines.erase(lines.begin() + long(at));
                break;
            case 2:
                if (at < lines.size()) lines[at] = random() % 2 ? value : u"";
                break;
            default:
                if (random() % 20 == 0) lines.clear();
                break;
            }
        }
        writer.show(lines);
        ASSERT_EQ(column.toPlainText(), joined(lines)) << "round " << round;
    }
}

TEST(ResultsWriter, a_column_changed_behind_its_back_is_rewritten_whole) {
    QPlainTextEdit column;
    ResultsWriter writer(&column);
    writer.show({u"1", u"2", u"3"});
    column.setPlainText("x");
    writer.show({u"1", u"2", u"3"});
    EXPECT_EQ(column.toPlainText(), "1\n2\n3");
    writer.clear();
    EXPECT_EQ(column.toPlainText(), "");
}

} // namespace
} // namespace quill::test
