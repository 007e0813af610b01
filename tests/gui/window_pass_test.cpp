// The window's calculation pass reuses the results of unchanged lines; after every edit what
// it shows (results column, total, status text, spoken phrase, narrowed sheet) must be exactly
// what a whole pass over the sheet's text gives. Thousands of random edits of every kind the
// window knows, each followed by a pass and the comparison.
#include "engine/eval.h"
#include "engine/platform.h"
#include "main_window_fixture.h"

#include <QStatusBar>
#include <QTextBlock>
#include <cstdlib>
#include <random>

namespace quill::test {
namespace {

constexpr ViewItem kGroupings[] = {ViewItem::GroupThree, ViewItem::GroupFour, ViewItem::GroupUnits};

const char16_t* const kLines[] = {u"12,800",
                                  u"+ 3,450",
                                  u"- 1,200",
                                  u"* 1.08",
                                  u"/ 3",
                                  u"\\ 2",
                                  u"",
                                  u"-5",
                                  u"+5",
                                  u"/ 0",
                                  u"\"a\"",
                                  u"SIN(",
                                  u"2009/03/07",
                                  u"03/07",
                                  u"14:05:09",
                                  u"+ 30",
                                  u"NOW",
                                  u"TIME",
                                  u"DATE",
                                  u"RND",
                                  u"* RND",
                                  u"RND(-3)",
                                  u"ENVIRON$(\"QUILL_STEP\")",
                                  u"１＋２",
                                  u"ＮＯＷ",
                                  u"ガ",
                                  u"CHR$(10)",
                                  u"0.1",
                                  u"1E+300",
                                  u"&HFF",
                                  u"ROUND(2.5, 0)"};
const char16_t kTyped[] = u"0123456789+-*/ .,()ENRDOW１＋ｶ";

class WindowPassTest : public MainWindowTest {
protected:
    std::mt19937 rng{20261207};
    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }
    QString randomLines() {
        QStringList lines;
        for (size_t k = 1 + pick(4); k > 0; --k)
            lines << QString::fromStdU16String(kLines[pick(std::size(kLines))]);
        return lines.join('\n');
    }
    void caretAnywhere(bool selecting) {
        const int end = w().sheet()->document()->characterCount() - 1;
        select(int(pick(size_t(end) + 1)), selecting ? int(pick(size_t(end) + 1)) : -1);
    }
    void key(int k, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QCoreApplication::sendEvent(w().sheet(), &press);
    }

    // One edit as the user makes it: keys, paste, the keypad's CE and C, undo and redo.
    void randomEdit() {
        switch (pick(10)) {
        case 0:
        case 1:
        case 2: {
            caretAnywhere(pick(6) == 0);
            const QChar c(kTyped[pick(std::size(kTyped) - 1)]);
            key(c.isDigit() ? Qt::Key_0 : Qt::Key_A, QString(c));
            break;
        }
        case 3: caretAnywhere(pick(4) == 0), key(Qt::Key_Backspace); break;
        case 4: caretAnywhere(false), key(Qt::Key_Return, QStringLiteral("\r")); break;
        case 5: caretAnywhere(pick(2) == 0), w().insertText(randomLines()); break;
        case 6: caretAnywhere(false), w().cmdMenu(MenuKey::ClearLine)->click(); break; // CE
        case 7: pick(2) ? w().sheet()->undo() : w().sheet()->redo(); break;
        case 8:
            if (pick(15) == 0) w().cmdMenu(MenuKey::Clear)->click(); // C
            break;
        default:
            if (pick(10) == 0) setSheet(randomLines() + '\n' + randomLines());
            break;
        }
    }
};

TEST_F(WindowPassTest, every_edit_shows_what_a_whole_pass_gives) {
    open("ReCalc=0\nketa=3\n");
    talk();
    for (int step = 0; step < 2500; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        for (size_t k = 1 + pick(3); k > 0; --k) randomEdit();
        if (pick(60) == 0) w().mnuViewItem_Click(kGroupings[pick(3)]); // another grouping
        platform::setFixedNow(46363.5 + step / 86400.0);
        setenv("QUILL_STEP", std::to_string(step % 3).c_str(), 1);
        const QString before = sheetText();
        Eval(u"RND(-1)");
        const PassResult whole = calculateSheet(before.toStdU16String(), w().grouping());
        Eval(u"RND(-1)");
        spoken_->clear();
        // The "=" key, or F5 whose pass follows once the waiting events are handled.
        if (pick(2))
            w().calculate();
        else
            sendKey(w().sheet(), QEvent::KeyRelease, Qt::Key_F5);

        QTextDocument shown;
        shown.setPlainText(QString::fromStdU16String(whole.sheetChanged ? whole.sheet : u""));
        ASSERT_EQ(sheetText(), whole.sheetChanged ? shown.toPlainText() : before);
        QStringList lines;
        for (const auto& l : whole.results)
            lines << QString::fromStdU16String(ResultsColumn::oneLine(l));
        shown.setPlainText(lines.join('\n'));
        // The column makes a line's text when it is drawn or read: reading it all only now
        // and then leaves lines unmade through later edits and passes.
        if (pick(5) == 0) {
            ASSERT_EQ(results(), shown.toPlainText()) << before.toStdString();
        } else if (!whole.results.empty()) {
            QCoreApplication::processEvents();
            const size_t line = pick(whole.results.size());
            ASSERT_EQ(w().resultsColumn()->line(int(line)),
                      QString::fromStdU16String(ResultsColumn::oneLine(whole.results[line])))
                << before.toStdString();
        }
        ASSERT_EQ(total(), QString::fromStdU16String(whole.total)) << before.toStdString();
        if (!whole.ran) continue;
        ASSERT_EQ(w().statusText(), QString::fromStdU16String(whole.status));
        ASSERT_EQ(spoken(), whole.phrase.empty() ? std::vector<std::u16string>{}
                                                 : std::vector<std::u16string>{whole.phrase});
    }
    platform::setFixedNow(std::nullopt);
}

} // namespace
} // namespace quill::test
