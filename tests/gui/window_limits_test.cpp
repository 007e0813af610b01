// The window's parts stay usable at its limits: the smallest window, a status text longer than
// the bar, a button dragged over its neighbours, a caret line below the view.
#include "main_window_fixture.h"
#include "window/status_line.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>

namespace quill::test {
namespace {

using WindowLimits = MainWindowTest;

QRect inClient(const frmMain& w, QWidget* widget) {
    return QRect(widget->mapTo(w.centralWidget(), QPoint(0, 0)), widget->size());
}

TEST_F(WindowLimits, the_smallest_window_keeps_menu_bar_sheet_line_and_total) {
    struct Row {
        const char* name;
        const char* ini;
    };
    const Row rows[] = {
        {"defaults", ""},
        {"keypad hidden", "BtnView=-1\n"},
        {"no status bar", "Status=0\n"},
        {"large font", "FontSize=14\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        open(row.ini);
        w().resize(50, 50);
        QCoreApplication::processEvents();
        const QRect client = w().centralWidget()->geometry();
        const QRect sheet = inClient(w(), w().sheet());
        const QRect total = inClient(w(), w().totalBox());
        EXPECT_GE(client.top(), w().menuBar()->geometry().bottom()) << "nothing over the menus";
        EXPECT_GE(sheet.height(), w().sheet()->fontMetrics().lineSpacing());
        EXPECT_EQ(total.top(), sheet.bottom() + 1);
        EXPECT_LE(total.bottom(), client.height() - 1);
        if (w().keypad()->isVisibleTo(&w())) {
            EXPECT_GT(inClient(w(), w().keypad()).top(), total.bottom());
        }
        EXPECT_GE(total.width(), 24) << "the total box keeps room for a few digits";
    }
}

TEST_F(WindowLimits, a_long_status_text_ends_in_an_ellipsis_and_shows_whole_as_tooltip) {
    open("", QSize(431, 362)); // the first start's size
    auto* bar = qobject_cast<StatusLine*>(w().st());
    ASSERT_NE(bar, nullptr);
    const QString instruction =
        "ボタン移動モードを終了する場合は、もう一度メニューの「ボタン移動モード」を選択して下さい";
    w().mnuViewItem_Click(ViewItem::MoveMode);
    EXPECT_EQ(w().statusText(), instruction);
    EXPECT_EQ(bar->toolTip(), instruction);
    EXPECT_TRUE(bar->shownText().endsWith(u'…')) << bar->shownText().toStdString();
    EXPECT_LT(bar->shownText().size(), instruction.size());
    w().mnuViewItem_Click(ViewItem::MoveMode);
    w().setStatusText("計算が完了しました");
    EXPECT_EQ(bar->shownText(), "計算が完了しました") << "a short text is shown whole";
    EXPECT_EQ(bar->toolTip(), "計算が完了しました");
}

TEST_F(WindowLimits, a_dragged_button_rides_above_its_neighbours) {
    open();
    w().mnuViewItem_Click(ViewItem::MoveMode);
    KeypadButton* seven = w().cmdNum(NumKey::Digit7);
    KeypadButton* nine = w().cmdNum(NumKey::Digit9);
    const QPoint grab(5, 5);
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at), seven->mapToGlobal(QPointF(at)), b, held, Qt::NoModifier);
        QCoreApplication::sendEvent(seven, &e);
    };
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, grab + (nine->pos() - seven->pos()), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(seven->pos(), nine->pos());
    EXPECT_EQ(w().keypad()->childAt(nine->geometry().center()), seven);
    send(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    w().mnuViewItem_Click(ViewItem::MoveMode);
}

TEST_F(WindowLimits, an_underline_kept_shown_stays_on_the_sheet) {
    open("ReCalc=0\nUnderLine=1\n");
    QStringList lines;
    for (int i = 1; i <= 300; ++i) lines << QString::number(i);
    setSheet(lines.join('\n'));
    QCoreApplication::processEvents();
    w().sheet()->verticalScrollBar()->setValue(0);
    const QRect sheet = inClient(w(), w().sheet());
    EXPECT_TRUE(w().pic(2)->isVisible());
    EXPECT_TRUE(sheet.contains(inClient(w(), w().pic(2)))) << "not over the total box or keypad";
}

} // namespace
} // namespace quill::test
