// What a screen reader learns after a pass without the focus leaving the sheet: the sheet's
// description carries the total and the status only when they changed, the status bar says a
// repeated outcome once, and the total box never hides digits without a sign.
#include "main_window_fixture.h"
#include "widgets/total_box.h"

#include <QSignalSpy>
#include <QStatusBar>

namespace quill::test {
namespace {

class PassAnnouncement : public MainWindowTest {};

TEST_F(PassAnnouncement, SheetDescriptionFollowsTheTotalAndChangesOnlyWithIt) {
    open("ReCalc=0\n");
    QSignalSpy statusChanges(w().statusBar(), &QStatusBar::messageChanged);
    struct Step {
        const char* sheet;
        const char* description; // after the pass
        int statusChanges;       // messages the bar announced
    } steps[] = {
        {"1,200\n+ 300", "合計 1500。計算が完了しました", 1},
        {"1,200\n+ 300", "合計 1500。計算が完了しました", 0},   // the same pass again
        {"1,200\n+ 300\n", "合計 1500。計算が完了しました", 0}, // an edit that leaves the total
        {"1,200\n+ 301", "合計 1501。計算が完了しました", 0},
        {"", "合計なし。計算が完了しました", 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.sheet);
        setSheet(QString::fromUtf8(s.sheet));
        statusChanges.clear();
        const QString before = w().sheet()->accessibleDescription();
        w().calculate();
        EXPECT_EQ(w().sheet()->accessibleDescription(), QString::fromUtf8(s.description));
        EXPECT_EQ(statusChanges.count(), s.statusChanges);
        if (before == w().sheet()->accessibleDescription()) continue;
        EXPECT_EQ(QApplication::focusWidget(), w().sheet()) << "the focus stays in the sheet";
    }
    EXPECT_EQ(w().sheet()->accessibleName(), "計算部");
    setSheet("7");
    w().calculate();
    click(w().cmdMenu(MenuKey::Clear)); // C clears the total the sheet described
    EXPECT_EQ(w().sheet()->accessibleDescription(), "合計なし");
}

TEST_F(PassAnnouncement, ATotalWiderThanItsBoxIsElidedOnTheLeft) {
    open();
    auto* box = qobject_cast<TotalBox*>(w().totalBox());
    ASSERT_NE(box, nullptr);
    const QString wide = QStringLiteral("123,456,789,012,345.631112635274");
    QFont big = box->font();
    big.setPointSize(28);
    box->setFont(big);
    box->setText(wide);
    const QString shown = box->shownText();
    EXPECT_TRUE(shown.startsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(wide.endsWith(shown.mid(1)));
    EXPECT_EQ(box->toolTip(), wide);
    EXPECT_EQ(box->text(), wide) << "the whole value stays the text a screen reader reads";
    box->setText(QStringLiteral("1500"));
    EXPECT_EQ(box->shownText(), "1500");
}

} // namespace
} // namespace quill::test
