// The layout pass, the divider and its clamps, keypad hiding, button sizes, the reset to the
// default places, and move mode.
#include "main_window_fixture.h"

#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStyle>

namespace quill::test {
namespace {

using KeypadLayout = MainWindowTest;

int scrollBarWidth(const frmMain& w) {
    return w.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w.sheet());
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void drag(QWidget* target, QPoint from, QPoint to) {
    sendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    // Positions are relative to the widget, which may have moved by the time of the release.
    sendMouse(target, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

TEST_F(KeypadLayout, regions_follow_the_divider_at_any_width) {
    open();
    const int V = scrollBarWidth(w());
    for (int width : {700, 400, 200, 140}) {
        SCOPED_TRACE(width);
        w().resize(width, 480);
        QCoreApplication::processEvents();
        const int W = w().centralWidget()->width();
        const int x = w().pic(1)->x();
        if (W >= 150) {
            EXPECT_GE(x, 75);
            EXPECT_LE(x, W - 75);
        } else {
            EXPECT_EQ(x, W - 75);
        }
        if (W - w().rightPaneWidth() >= 75) {
            EXPECT_EQ(x, W - w().rightPaneWidth());
        }
        const int h = w().pic(1)->height();
        EXPECT_EQ(w().sheet()->geometry(), QRect(0, 0, x + V + 1, h));
        EXPECT_EQ(w().resultsColumn()->geometry(), QRect(x + 1, 0, W - x + V, h));
        EXPECT_EQ(w().totalBox()->geometry().topLeft(), QPoint(24, h));
        EXPECT_EQ(w().cmdMenu(MenuKey::CopyResult)->geometry(),
                  QRect(0, h, 24, w().totalBox()->height()));
        EXPECT_EQ(w().pic(0)->geometry(), QRect(0, w().centralWidget()->height() - 169, W, 169));
        EXPECT_EQ(h + w().totalBox()->height() + 5 + 169, w().centralWidget()->height());
    }
}

TEST_F(KeypadLayout, divider_drag_stops_75_pixels_from_either_edge) {
    open();
    const int W = w().centralWidget()->width();
    struct Row {
        const char* name;
        int dx;
        int expectedX;
    } rows[] = {{"far left", -2000, 75}, {"far right", 2000, W - 75}, {"a little", -40, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget* divider = w().pic(1);
        const int before = divider->x();
        drag(divider, QPoint(0, 5), QPoint(row.dx, 5));
        const int expected = row.expectedX < 0 ? before + row.dx : row.expectedX;
        EXPECT_EQ(divider->x(), expected);
        EXPECT_EQ(w().rightPaneWidth(), W - expected);
        EXPECT_EQ(w().resultsColumn()->x(), expected + 1);
    }
    // The results column keeps its width while the window grows.
    const int right = w().rightPaneWidth();
    w().resize(w().width() + 100, w().height());
    QCoreApplication::processEvents();
    EXPECT_EQ(w().centralWidget()->width() - w().pic(1)->x(), right);
}

TEST_F(KeypadLayout, hiding_the_keypad_gives_its_room_to_the_sheet) {
    open();
    const int before = w().sheet()->height();
    w().mnuViewItem_Click(ViewItem::HideKeypad);
    EXPECT_TRUE(w().pic(0)->isHidden());
    EXPECT_EQ(w().sheet()->height(), before + 169 + 5);
    w().mnuViewItem_Click(ViewItem::HideKeypad);
    EXPECT_EQ(w().sheet()->height(), before);
}

TEST_F(KeypadLayout, status_bar_toggle_keeps_the_keypad_above_it) {
    open();
    w().mnuViewItem_Click(ViewItem::StatusBar);
    EXPECT_FALSE(w().mnuViewItem().isChecked(ViewItem::StatusBar));
    EXPECT_TRUE(w().st()->isHidden());
    QCoreApplication::processEvents();
    EXPECT_EQ(w().pic(0)->geometry().bottom(), w().centralWidget()->height() - 1);
}

TEST_F(KeypadLayout, sizes_and_reset_places_at_both_sizes) {
    open();
    struct Row {
        ViewItem item, other;
        int numWidth, menuWidth;
        float equalsLeft, homeLeft, upLeft;
    } rows[] = {{ViewItem::SizeMedium, ViewItem::SizeSmall, 855, 1095, 1800, 7200, 5827},
                {ViewItem::SizeSmall, ViewItem::SizeMedium, 615, 855, 1320, 5280, 4267}};
    for (const Row& row : rows) {
        SCOPED_TRACE(itemIndex(row.item));
        w().mnuViewItem_Click(row.item);
        EXPECT_TRUE(w().mnuViewItem().isChecked(row.item));
        EXPECT_FALSE(w().mnuViewItem().isChecked(row.other));
        EXPECT_EQ(w().cmdNum(NumKey::Digit0)->twipWidth(), row.numWidth);
        EXPECT_EQ(w().cmdOp(OpKey::Down)->twipWidth(), row.numWidth);
        EXPECT_EQ(w().cmdMenu(MenuKey::NewLine)->twipWidth(), row.menuWidth);
        EXPECT_EQ(w().cmdMenu(MenuKey::NewLine)->twipHeight(), 855);
        EXPECT_EQ(w().cmdMenu(MenuKey::DateTime)->twipWidth(), 855);
        answerMessageBox(QMessageBox::Ok);
        w().mnuViewItem_Click(ViewItem::ResetPositions);
        EXPECT_EQ(lastMessageText(), "ボタン配置をデフォルトに戻します。\nよろしいですか？");
        EXPECT_EQ(w().cmdOp(OpKey::Equals)->twipPos().left, row.equalsLeft);
        EXPECT_EQ(w().cmdMenu(MenuKey::Home)->twipPos().left, row.homeLeft);
        EXPECT_EQ(w().cmdOp(OpKey::Up)->twipPos().left, row.upLeft);
        EXPECT_EQ(w().cmdOp(OpKey::Up)->twipPos().top, 840);
        EXPECT_EQ(w().cmdMenu(MenuKey::DateTime)->twipPos().left, 5280) << "日時 is never reset";
        EXPECT_EQ(w().cmdOp(OpKey::Equals)->geometry().x(), qRound(row.equalsLeft / 15));
    }
    // Choosing the size already checked changes nothing; cancelling the reset moves nothing.
    w().cmdNum(NumKey::Digit5)->moveTwips({15, 30});
    w().mnuViewItem_Click(ViewItem::SizeSmall);
    EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::SizeSmall));
    answerMessageBox(QMessageBox::Cancel);
    w().mnuViewItem_Click(ViewItem::ResetPositions);
    EXPECT_EQ(w().cmdNum(NumKey::Digit5)->twipPos().left, 15);
    EXPECT_EQ(w().cmdNum(NumKey::Digit5)->twipPos().top, 30);
}

TEST_F(KeypadLayout, move_mode_marks_itself_and_drags_buttons_back_inside_the_panel) {
    open();
    w().mnuViewItem_Click(ViewItem::MoveMode);
    EXPECT_EQ(w().windowTitle(), "Quillsum (ボタン移動モード)");
    EXPECT_EQ(w().statusText(), "ボタン移動モードを終了する場合は、もう一度メニューの"
                                "「ボタン移動モード」を選択して下さい");
    EXPECT_TRUE(w().cmdNum(NumKey::Digit0)->font().bold());
    EXPECT_FALSE(w().cmdMenu(MenuKey::CopyResult)->font().bold());

    KeypadButton* seven = w().cmdNum(NumKey::Digit7);
    const TwipPoint start = seven->twipPos();
    drag(seven, QPoint(5, 5), QPoint(25, 15));
    EXPECT_EQ(seven->twipPos().left, start.left + 20 * 15);
    EXPECT_EQ(seven->twipPos().top, start.top + 10 * 15);
    EXPECT_EQ(sheetText(), "") << "a drag is no click";

    drag(seven, QPoint(5, 5), QPoint(5000, 5));
    EXPECT_EQ(seven->twipPos().left + seven->twipWidth(), w().keypad()->innerWidthTwips());
    drag(seven, QPoint(5, 5), QPoint(-5000, -5000));
    EXPECT_EQ(seven->twipPos().left, 0);
    EXPECT_EQ(seven->twipPos().top, 0);

    // The copy-result key never moves.
    const QRect copy = w().cmdMenu(MenuKey::CopyResult)->geometry();
    drag(w().cmdMenu(MenuKey::CopyResult), QPoint(5, 5), QPoint(60, 5));
    EXPECT_EQ(w().cmdMenu(MenuKey::CopyResult)->geometry(), copy);

    QTest::mouseClick(w().cmdNum(NumKey::Digit1), Qt::LeftButton);
    QTest::mouseClick(w().cmdMenu(MenuKey::NewLine), Qt::LeftButton);
    EXPECT_EQ(sheetText(), "") << "clicks do nothing in move mode";

    w().mnuViewItem_Click(ViewItem::MoveMode);
    EXPECT_EQ(w().windowTitle(), "Quillsum");
    EXPECT_FALSE(w().cmdNum(NumKey::Digit0)->font().bold());
    EXPECT_EQ(w().statusText(), "ボタン移動モードを終了する場合は、もう一度メニューの"
                                "「ボタン移動モード」を選択して下さい")
        << "the status text stays";
    const TwipPoint kept = seven->twipPos();
    drag(seven, QPoint(5, 5), QPoint(40, 5));
    EXPECT_EQ(seven->twipPos().left, kept.left) << "outside move mode buttons stay put";
}

TEST_F(KeypadLayout, right_clicks_open_the_view_and_options_menus) {
    open();
    QMenu* view = w().mnuViewItem().menu;
    QMenu* opt = w().mnuOptItem().menu;
    for (bool moveMode : {false, true}) {
        SCOPED_TRACE(moveMode);
        if (moveMode) w().mnuViewItem_Click(ViewItem::MoveMode);
        sendMouse(w().cmdOp(OpKey::Minus), QEvent::MouseButtonPress, QPoint(3, 3), Qt::RightButton,
                  Qt::RightButton);
        EXPECT_TRUE(view->isVisible());
        view->hide();
    }
    sendMouse(w().keypad(), QEvent::MouseButtonPress, QPoint(w().keypad()->width() - 3, 160),
              Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(opt->isVisible());
    opt->hide();
}

} // namespace
} // namespace quill::test
