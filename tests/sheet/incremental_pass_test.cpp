// The pass that reuses unchanged lines gives, after every edit, exactly what a whole pass over
// the same text gives: thousands of random edits, each followed by both passes.
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/platform.h"
#include "sheet/incremental_pass.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
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

using LineMaker = std::function<std::u16string(std::mt19937&)>;

std::u16string vocabularyLine(std::mt19937& rng) {
    return kLines[std::uniform_int_distribution<size_t>(0, std::size(kLines) - 1)(rng)];
}

// One random edit of the model, told to the pass as the editor would tell it. With `edge`, half
// the edits fall on a line next to a saved total (every `edge` lines).
void randomEdit(std::mt19937& rng, SheetModel& sheet, IncrementalPass& pass,
                const LineMaker& makeLine = vocabularyLine, size_t edge = 0) {
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    auto randomLine = [&] { return makeLine(rng); };
    const size_t n = sheet.lines.size();
    auto pickLine = [&] {
        if (edge == 0 || pick(2) == 0) return pick(n);
        return std::min(n - 1, (pick(n / edge + 1) * edge + pick(3) + n - 1) % n);
    };
    switch (pick(8)) {
    case 0:
    case 1: { // a typed character
        std::u16string& l = sheet.lines[pickLine()];
        l.insert(pick(l.size() + 1), 1, kTyped[pick(std::size(kTyped) - 1)]);
        pass.replaceLines(size_t(&l - sheet.lines.data()), 1, 1);
        break;
    }
    case 2: { // backspace inside a line, or joining a line to the one above
        const size_t i = pickLine();
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
        const size_t i = pickLine();
        std::u16string& l = sheet.lines[i];
        const size_t at = pick(l.size() + 1);
        std::u16string rest = l.substr(at);
        l.erase(at);
        sheet.lines.insert(sheet.lines.begin() + long(i) + 1, rest);
        pass.replaceLines(i, 1, 2);
        break;
    }
    case 4: { // a paste of several lines over some others
        const size_t first = pickLine(), removed = 1 + pick(std::min<size_t>(n - first, 4));
        const size_t added = 1 + pick(6);
        sheet.lines.erase(sheet.lines.begin() + long(first),
                          sheet.lines.begin() + long(first + removed));
        for (size_t k = 0; k < added; ++k)
            sheet.lines.insert(sheet.lines.begin() + long(first), randomLine());
        pass.replaceLines(first, removed, added);
        break;
    }
    case 5: { // the caret's line deleted (CE)
        const size_t i = pickLine();
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
        const size_t i = pickLine();
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

// Random edits, each followed by both passes; what the incremental pass reports must be what
// the whole pass gives, down to the last digit.
struct EditRun {
    unsigned seed;
    int steps;
    size_t checkpointLines;
    size_t startLines = 0;
    LineMaker makeLine = vocabularyLine;
    size_t edge = 0; // edits favour the lines next to saved totals
};

void expectEveryEditGivesTheWholePass(const EditRun& run) {
    constexpr Grouping groupings[] = {Grouping::None, Grouping::Three, Grouping::Four,
                                      Grouping::Units};
    std::mt19937 rng(run.seed);
    SheetModel sheet;
    for (size_t k = 1; k < run.startLines; ++k) sheet.lines.push_back(run.makeLine(rng));
    IncrementalPass pass(sheet.lines.size(), run.checkpointLines);
    std::vector<std::u16string> column{u""};
    Grouping grouping = Grouping::Three;
    for (int step = 0; step < run.steps; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        if (step > 0)
            for (int k = std::uniform_int_distribution<int>(1, 3)(rng); k > 0; --k)
                randomEdit(rng, sheet, pass, run.makeLine, run.edge);
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

// Checkpoints close together, so that passes start from saved totals as on a long sheet.
TEST(IncrementalPassTest, every_edit_gives_what_a_whole_pass_gives) {
    expectEveryEditGivesTheWholePass({.seed = 20261207, .steps = 6000, .checkpointLines = 3});
}

std::u16string randomDigits(std::mt19937& rng, int count) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::u16string d(1, char16_t(u'1' + digit(rng) % 9));
    while (int(d.size()) < count) d += char16_t(u'0' + digit(rng));
    return d;
}

// Mostly amounts: money as typed (binary doubles), and exact decimals from products and
// quotients up to the 28-digit limit, where adding rounds or overflows; now and then a line of
// any other kind (tape operators, dates, texts, failures, lines reading the system).
std::u16string amountLine(std::mt19937& rng) {
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto digits = [&](int most) { return randomDigits(rng, 1 + pick(most)); };
    std::u16string amount;
    switch (pick(17)) {
    case 7: amount = digits(3) + u"," + randomDigits(rng, 3) + u"," + randomDigits(rng, 3); break;
    case 8:
    case 9: amount = digits(15) + u"*" + digits(15); break;
    case 10:
    case 11: amount = digits(15) + u"/" + digits(15); break;
    case 12: amount = digits(15) + u"/1" + std::u16string(size_t(pick(15)), u'0'); break;
    case 13:
        amount = digits(15) + u"/100000000000000/1" + std::u16string(size_t(pick(15)), u'0');
        break;
    case 14:
    case 15: return vocabularyLine(rng);
    case 16: { // binary doubles, one of them beyond the decimal range
        constexpr const char16_t* doubles[] = {u"SQR(2)", u"10^300", u"2^0.5*1000", u"1.1^3"};
        amount = doubles[pick(4)];
        break;
    }
    default: amount = digits(7) + (pick(3) ? u"." + randomDigits(rng, 2) : u""); break;
    }
    constexpr const char16_t* prefixes[] = {u"", u"", u"+ ", u"- ", u"-"};
    return prefixes[pick(5)] + amount;
}

// Amounts of 25 to 30 digits at scale 0 or 2: a few of them reach the 96-bit limit, where a
// partial total rounds or overflows, and the largest ones fail on their own.
std::u16string nearLimitLine(std::mt19937& rng) {
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    switch (pick(10)) {
    case 0: return amountLine(rng);
    case 1: return u"";
    default: break;
    }
    std::u16string amount =
        randomDigits(rng, 13 + pick(3)) + u"*" + randomDigits(rng, 13 + pick(3));
    if (pick(2)) amount += u"/100";
    constexpr const char16_t* prefixes[] = {u"", u"+ ", u"- ", u"-"};
    return prefixes[pick(4)] + amount;
}

// Long tapes of amounts, some with totals running into the 28-digit limit, with tape operators,
// dates, texts and failures here and there; half of the edits fall next to a saved total.
TEST(IncrementalPassTest, long_tapes_of_amounts_give_what_a_whole_pass_gives) {
    struct Row {
        unsigned seed;
        int steps;
        size_t checkpointLines;
        size_t startLines;
        LineMaker makeLine;
    };
    const Row rows[] = {
        {17, 1500, 4, 300, amountLine},      {1708, 800, 16, 500, amountLine},
        {64, 300, 64, 1500, amountLine},     {96, 1500, 4, 200, nearLimitLine},
        {2896, 600, 12, 400, nearLimitLine},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("seed " + std::to_string(r.seed));
        expectEveryEditGivesTheWholePass({.seed = r.seed,
                                          .steps = r.steps,
                                          .checkpointLines = r.checkpointLines,
                                          .startLines = r.startLines,
                                          .makeLine = r.makeLine,
                                          .edge = r.checkpointLines});
    }
}

} // namespace
} // namespace quill
