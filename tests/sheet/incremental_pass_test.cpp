// The pass that reuses unchanged lines gives, after every edit, exactly what a whole pass over
// the same text gives: thousands of random edits, each followed by both passes.
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/platform.h"
#include "sheet/incremental_pass.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace quill {
namespace {

// Lines of every kind: tape lines, failing lines, dates, lines reading the clock, the random
// generator, the environment and the command line, full-width input, blanks.
const char16_t* const kLines[] = {u"12,800",
                                  u"+ 3,450",
                                  u"- 1,200",
                                  u"* 1.08",
                                  u"/ 3",
                                  u"\\ 2",
                                  u"",
                                  u"   ",
                                  u"-5",
                                  u"+5",
                                  u"*2",
                                  u"/ 0",
                                  u"1/0",
                                  u"\"a\"",
                                  u"- \"a\"",
                                  u"SIN(",
                                  u"2009/03/07",
                                  u"03/07",
                                  u"14:05:09",
                                  u"+ 30",
                                  u"NOW",
                                  u"TIME",
                                  u"DATE",
                                  u"RND",
                                  u"RND(-3)",
                                  u"* RND",
                                  u"ENVIRON$(\"QUILL_STEP\")",
                                  u"LEN(COMMAND$)",
                                  u"EVAL(\"N\"+\"OW\")",
                                  u"１＋２",
                                  u"ＲＮＤ",
                                  u"ｶﾞ",
                                  u"ガ",
                                  u"0.1",
                                  u"1E+300",
                                  u"* 1E+300",
                                  u"&HFF",
                                  u"101b",
                                  u"ROUND(2.5, 0)",
                                  u"True",
                                  u"9999999999999999999999999999"};
// Characters typed into a line.
const char16_t kTyped[] = u"0123456789+-*/\\ .,()\"ENRDOW１＋ｶﾞ";

class SheetModel : public LineSource {
public:
    std::vector<std::u16string> lines{u""};
    std::u16string text(size_t line) override { return lines.at(line); }
    std::u16string joined() const {
        std::u16string s;
        for (size_t i = 0; i < lines.size(); ++i) s += (i ? u"\n" : u"") + lines[i];
        return s;
    }
};

// One random edit of the model, told to the pass as the editor would tell it.
void randomEdit(std::mt19937& rng, SheetModel& sheet, IncrementalPass& pass) {
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    auto randomLine = [&] { return std::u16string(kLines[pick(std::size(kLines))]); };
    const size_t n = sheet.lines.size();
    switch (pick(8)) {
    case 0:
    case 1: { // a typed character
        std::u16string& l = sheet.lines[pick(n)];
        l.insert(pick(l.size() + 1), 1, kTyped[pick(std::size(kTyped) - 1)]);
        pass.replaceLines(size_t(&l - sheet.lines.data()), 1, 1);
        break;
    }
    case 2: { // backspace inside a line, or joining a line to the one above
        const size_t i = pick(n);
        std::u16string& l = sheet.lines[i];
        if (!l.empty()) {
            l.erase(pick(l.size()), 1);
            pass.replaceLines(i, 1, 1);
        } else if (i > 0) {
            sheet.lines.erase(sheet.lines.begin() + long(i));
            pass.replaceLines(i - 1, 2, 1);
        }
        break;
    }
    case 3: { // Enter: a line split in two
        const size_t i = pick(n);
        std::u16string& l = sheet.lines[i];
        const size_t at = pick(l.size() + 1);
        std::u16string rest = l.substr(at);
        l.erase(at);
        sheet.lines.insert(sheet.lines.begin() + long(i) + 1, rest);
        pass.replaceLines(i, 1, 2);
        break;
    }
    case 4: { // a paste of several lines over some others
        const size_t first = pick(n), removed = 1 + pick(std::min<size_t>(n - first, 4));
        const size_t added = 1 + pick(6);
        sheet.lines.erase(sheet.lines.begin() + long(first),
                          sheet.lines.begin() + long(first + removed));
        for (size_t k = 0; k < added; ++k)
            sheet.lines.insert(sheet.lines.begin() + long(first), randomLine());
        pass.replaceLines(first, removed, added);
        break;
    }
    case 5: { // the caret's line deleted (CE)
        const size_t i = pick(n);
        if (n == 1) {
            sheet.lines[0].clear();
            pass.replaceLines(0, 1, 1);
        } else {
            sheet.lines.erase(sheet.lines.begin() + long(i));
            pass.replaceLines(i, 1, 0);
        }
        break;
    }
    case 6: { // a line replaced whole (undo of a typed line)
        const size_t i = pick(n);
        sheet.lines[i] = randomLine();
        pass.replaceLines(i, 1, 1);
        break;
    }
    default:
        if (pick(20) == 0) { // everything cleared (C), or a new sheet of many lines
            sheet.lines.assign(1, u"");
            for (size_t k = pick(3) * pick(150); k > 0; --k) sheet.lines.push_back(randomLine());
            if (pick(2)) {
                pass.replaceLines(0, n, sheet.lines.size());
            } else { // told as an editor tells it: emptied, then filled
                pass.replaceLines(0, n, 1);
                pass.replaceLines(0, 1, sheet.lines.size());
            }
        }
        break;
    }
}

void applyToColumn(const PassUpdate& u, std::vector<std::u16string>& column) {
    if (u.wholeColumn) {
        column.clear();
        for (size_t i = 0; i < u.wholeTexts->size(); ++i) column.push_back(u.wholeTexts->text(i));
    }
    for (const ColumnSplice& s : u.splices) {
        auto at = column.begin() + long(s.first);
        column.insert(column.erase(at, at + long(s.removed)), s.added, std::u16string());
    }
    for (const NumberedLine& l : u.lines) column.at(l.line) = l.text;
}

// Checkpoints close together, so that passes start from saved totals as on a long sheet.
TEST(IncrementalPassTest, every_edit_gives_what_a_whole_pass_gives) {
    constexpr Grouping groupings[] = {Grouping::None, Grouping::Three, Grouping::Four,
                                      Grouping::Units};
    std::mt19937 rng(20261207);
    SheetModel sheet;
    IncrementalPass pass(1, 3);
    std::vector<std::u16string> column{u""};
    Grouping grouping = Grouping::Three;
    for (int step = 0; step < 6000; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        for (int k = std::uniform_int_distribution<int>(1, 3)(rng); k > 0; --k)
            randomEdit(rng, sheet, pass);
        if (rng() % 40 == 0) grouping = groupings[rng() % 4];
        // The system moves on between passes; the random generator starts both passes alike.
        platform::setFixedNow(46363.5 + step / 86400.0);
        setenv("QUILL_STEP", std::to_string(step % 3).c_str(), 1);
        platform::setCommandLine(std::u16string(size_t(step % 4), u'x'));
        const std::u16string before = sheet.joined();
        Eval(u"RND(-1)");
        const PassResult whole = calculateSheet(before, grouping);
        Eval(u"RND(-1)");
        const PassUpdate u = pass.run(sheet, grouping);
        for (const NumberedLine& l : u.narrowed) sheet.lines.at(l.line) = l.text;
        if (!u.ran) column.assign(1, u"");
        applyToColumn(u, column);

        ASSERT_EQ(u.ran, whole.ran) << toUtf8(before);
        ASSERT_EQ(sheet.joined(), whole.sheetChanged ? whole.sheet : before);
        if (!whole.ran) continue;
        ASSERT_EQ(column, whole.results) << toUtf8(before);
        ASSERT_EQ(toUtf8(u.total), toUtf8(whole.total)) << toUtf8(before);
        ASSERT_EQ(u.phrase, whole.phrase);
        ASSERT_EQ(u.status, whole.status);
    }
    platform::setFixedNow(std::nullopt);
    platform::setCommandLine(u"");
}

} // namespace
} // namespace quill
