// Clipboard text exchange and the window's dealings with the window system.
#include "main_window_fixture.h"
#include "window/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <functional>

namespace quill::test {
namespace {

TEST(Clipboard, text_survives_a_round_trip_and_stops_at_a_nul) {
    const QString rows[] = {QString(), QStringLiteral("1,234"), QStringLiteral("𠮷野家 ¥1\r\n2"),
                            QStringLiteral("万")};
    for (const QString& text : rows) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(putClipboardText(text));
        EXPECT_EQ(getClipboardText(), text);
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("12") + QChar(0) + QStringLiteral("junk"));
    EXPECT_EQ(getClipboardText(), "12");
    auto* picture = new QMimeData;
    picture->setImageData(QImage(2, 2, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(picture);
    EXPECT_EQ(getClipboardText(), "");
}

using WindowBehaviour = MainWindowTest;

TEST_F(WindowBehaviour, centring_moves_without_resizing_and_unchecking_stays) {
    open("", QSize(400, 300));
    w().move(0, 0);
    const QSize size = w().size();
    w().mnuViewItem_Click(ViewItem::Centre);
    EXPECT_TRUE(w().mnuViewItem().isChecked(ViewItem::Centre));
    EXPECT_EQ(w().size(), size);
    const QRect screen = w().screen()->geometry();
    EXPECT_NEAR(w().frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(w().frameGeometry().center().y(), screen.center().y(), 1);
    const QPoint centred = w().pos();
    w().mnuViewItem_Click(ViewItem::Centre);
    EXPECT_FALSE(w().mnuViewItem().isChecked(ViewItem::Centre));
    EXPECT_EQ(w().pos(), centred);
}

TEST_F(WindowBehaviour, always_on_top_keeps_the_window_in_place) {
    open("", QSize(400, 300));
    const QRect before = w().geometry();
    for (bool on : {true, false}) {
        SCOPED_TRACE(on);
        w().mnuViewItem_Click(ViewItem::OnTop);
        EXPECT_EQ(w().mnuViewItem().isChecked(ViewItem::OnTop), on);
        EXPECT_EQ(bool(w().windowFlags() & Qt::WindowStaysOnTopHint), on);
        EXPECT_EQ(w().geometry(), before);
        EXPECT_TRUE(w().isVisible());
    }
}

// Without a window manager nobody hands the keyboard back when a dialog closes: the window
// takes it back itself, or the next key goes nowhere.
TEST_F(WindowBehaviour, closing_a_dialog_gives_the_keyboard_back_to_the_window) {
    const auto escape = [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); };
    struct Case {
        const char* name;
        std::function<void()> run;
    } cases[] = {
        {"formula editor",
         [&] {
             expectModal(escape);
             w().showFormulaEditor();
         }},
        {"open file dialog",
         [&] {
             expectModal(escape);
             w().mnuEditItem().at(EditItem::Open)->trigger();
         }},
        {"formula picker",
         [&] {
             w().showFormulaPicker();
             escape(w().findChild<QDialog*>());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
        c.run();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w()));
        window_.reset();
    }
}

TEST_F(WindowBehaviour, opacity_out_of_range_keeps_the_window_visible) {
    open("Transparency=256\n");
    EXPECT_EQ(w().windowOpacity(), 1.0);
    EXPECT_EQ(w().windowAlpha(), 256) << "the stored value is kept as read";
}

} // namespace
} // namespace quill::test
