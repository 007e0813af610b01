// What the window takes from setting.ini when it opens.
#include "main_window_fixture.h"

#include <QStatusBar>

namespace quill::test {
namespace {

using StartupSettings = MainWindowTest;

TEST_F(StartupSettings, no_file_gives_the_default_window) {
    open();
    EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::StatusBar));
    EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::SizeSmall));
    EXPECT_FALSE(w().mnuViewItem().isChecked(ViewItem::SizeMedium));
    EXPECT_TRUE(w().mnuOptItem().isChecked(OptItem::RecalcOnEnter));
    EXPECT_FALSE(w().mnuOptItem().isChecked(OptItem::RecalcOnEveryInput));
    EXPECT_FALSE(w().mnuOptItem().isChecked(OptItem::Talk));
    EXPECT_EQ(w().grouping(), Grouping::None);
    EXPECT_FALSE(w().moveMode());
    EXPECT_TRUE(w().pic(2)->isVisible());
    EXPECT_EQ(w().sheet()->font().pointSize(), 9);
    EXPECT_EQ(w().cmdOp(OpKey::Equals)->twipPos().left, 1320);
    EXPECT_EQ(w().windowOpacity(), 1.0);
}

TEST_F(StartupSettings, options_and_looks_come_from_the_file) {
    open("keta=2\nReCalc=5\nTalk=-1\nBtnSize=5\nBtnView=-1\nStatus=0\nUnderLine=0\n"
         "FontSize=12\nBackColor=255\nTransparency=128\n");
    EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::GroupThree))
        << "keta 2 reads as groups of three";
    EXPECT_FALSE(w().mnuOptItem().isChecked(OptItem::RecalcOnEnter));
    EXPECT_FALSE(w().mnuOptItem().isChecked(OptItem::RecalcOnEveryInput));
    EXPECT_TRUE(w().mnuOptItem().isChecked(OptItem::Talk));
    EXPECT_TRUE(w().speech().talking());
    EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::SizeMedium));
    EXPECT_EQ(w().cmdNum(NumKey::Digit0)->twipWidth(), 855);
    EXPECT_EQ(w().cmdOp(OpKey::Equals)->twipPos().left, 1320) << "the size alone moves no button";
    EXPECT_TRUE(w().pic(0)->isHidden());
    EXPECT_TRUE(w().st()->isHidden());
    EXPECT_FALSE(w().pic(2)->isVisible());
    EXPECT_EQ(w().sheet()->font().pointSize(), 12);
    EXPECT_EQ(w().totalBox()->font().pointSize(), 12);
    EXPECT_EQ(w().sheet()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_NEAR(w().windowOpacity(), 128 / 255.0, 0.01);
    EXPECT_EQ(w().windowAlpha(), 128);
}

TEST_F(StartupSettings, stored_places_win_and_a_bad_entry_stops_the_lists) {
    open("NumPos=15,30|45,60\nMenuPos=\nOpPos=150,300|165,330|bad|600,600\n");
    EXPECT_EQ(w().cmdNum(NumKey::Digit0)->twipPos().left, 15);
    EXPECT_EQ(w().cmdNum(NumKey::Digit1)->twipPos().top, 60);
    EXPECT_EQ(w().cmdNum(NumKey::Digit2)->twipPos().left, 720)
        << "pairs not stored keep their place";
    EXPECT_EQ(w().cmdOp(OpKey::Mod)->twipPos().left, 150);
    EXPECT_EQ(w().cmdOp(OpKey::Equals)->twipPos().top, 330);
    EXPECT_EQ(w().cmdOp(OpKey::Plus)->twipPos().left, 2040);
    EXPECT_EQ(w().cmdOp(OpKey::Minus)->twipPos().left, 2040)
        << "nothing after the bad entry is applied";
}

TEST_F(StartupSettings, placement_in_twips_and_the_divider_from_split) {
    open("X=1500\nY=750\nW=9000\nH=7500\nSplit=200\n", QSize());
    EXPECT_EQ(w().pos(), QPoint(100, 50));
    EXPECT_EQ(w().size(), QSize(600, 500));
    QCoreApplication::processEvents();
    EXPECT_EQ(w().pic(1)->x(), 200);
}

} // namespace
} // namespace quill::test
