// Menu help: the texts, and the status bar following the highlight in the menu bar's menus and
// in the same menus popped up on their own.
#include "window/menu_help.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace quill {
namespace {

std::string u8(const QString& s) {
    return s.toStdString();
}

TEST(MenuHelpTexts, every_visible_item_has_its_text_and_nothing_else_has_one) {
    struct Row {
        MenuId menu;
        int index;
        const char* text;
    };
    const Row rows[] = {
        {MenuId::Edit, 0, "計算部の文字をクリップボードにコピー"},
        {MenuId::Edit, 5, ""}, // separator
        {MenuId::Func, 3, ""}, // hidden ACOSD
        {MenuId::Edit, 9, "テキストファイルを開いて計算部に読み込みます"},
        {MenuId::Opt, 19, "終了時の計算部を次回の起動時に復元します"},
        {MenuId::Func, 99, "ユーザ定義式の選択画面を表示します"},
        {MenuId::Help, 99, "Quillsumの自動更新を行います"},
        {MenuId::Edit, 11, "計算部の各行と結果、合計を印刷します"},
        {MenuId::View, 16, "計算部の各行と合計を順に読み上げます"},
        {MenuId::View, 15, ""}, // separator
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(u8(menuHelpText(r.menu, r.index)), r.text);
    }
    EXPECT_EQ(menuHelpEntryCount(), 52);

    int found = 0;
    for (MenuId m : {MenuId::Edit, MenuId::Func, MenuId::View, MenuId::Opt, MenuId::Help})
        for (int i = -1; i <= 100; ++i) found += menuHelpText(m, i).isEmpty() ? 0 : 1;
    EXPECT_EQ(found, 52);
}

TEST(MenuHelpTexts, web_page_item_names_the_address_it_opens) {
    const QString text = menuHelpText(MenuId::Help, 1);
    EXPECT_TRUE(authorWebPage().startsWith("https://"));
    EXPECT_EQ(u8(text), u8(authorWebPage() + QStringLiteral("を開きます")));
}

// A main window with an Edit menu laid out like the real one (items 0, 1, 2, separator 5,
// 6, 7), its status bar driven by MenuHelp.
class MenuHelpWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QMainWindow>();
        edit = window->menuBar()->addMenu(QStringLiteral("編集(&E)"));
        const std::pair<int, const char*> items[] = {
            {0, "コピー(&C)"}, {1, "貼り付け(&V)"},         {2, "数値のみ貼り付け(&N)"},
            {5, "-"},          {6, "カーソル行クリア(&R)"}, {7, "クリア(&L)"}};
        for (auto [index, caption] : items) {
            // Parented to the window, as the main window's item arrays are: a popped-up menu
            // then sends Qt's own status tips to the window.
            auto* a = new QAction(QString::fromUtf8(caption), window.get());
            a->setSeparator(QString(caption) == "-");
            edit->addAction(a);
            a->setData(index);
            actions[index] = a;
        }
        help = new MenuHelp(statusBarSink(window->statusBar()), window.get());
        help->watchMenu(edit, MenuId::Edit);
        help->watchMenuBar(window->menuBar());
        window->resize(400, 300);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override {
        edit->hide();
        window.reset();
    }

    std::string status() const { return u8(window->statusBar()->currentMessage()); }

    void hoverItem(int index) {
        QTest::mouseMove(edit, edit->actionGeometry(actions[index]).center());
        QCoreApplication::processEvents();
    }

    std::unique_ptr<QMainWindow> window;
    QMenu* edit = nullptr;
    MenuHelp* help = nullptr;
    std::map<int, QAction*> actions;
};

TEST_F(MenuHelpWindow, menu_bar_menu_shows_the_highlighted_item_and_empties_on_separator) {
    window->statusBar()->showMessage(QStringLiteral("計算が完了しました"));
    window->menuBar()->setActiveAction(edit->menuAction());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    EXPECT_EQ(status(), ""); // only the title is highlighted

    hoverItem(0);
    EXPECT_EQ(status(), "計算部の文字をクリップボードにコピー");
    hoverItem(7);
    EXPECT_EQ(status(), "計算部をクリア");
    hoverItem(5);
    EXPECT_EQ(status(), "");

    hoverItem(2);
    QTest::keyClick(edit, Qt::Key_Down); // past the separator
    EXPECT_EQ(status(), "カーソル位置の行だけを削除します");
    QTest::keyClick(edit, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(status(), "");
}

TEST_F(MenuHelpWindow, popped_up_menu_shows_the_same_texts) {
    edit->popup(window->mapToGlobal(QPoint(50, 50)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    hoverItem(2);
    EXPECT_EQ(status(), "クリップボードから数字だけを取り出して計算部に貼り付け");
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(status(), "クリップボードの内容を計算部に貼り付け");
    edit->hide();
    EXPECT_EQ(status(), "");
}

TEST_F(MenuHelpWindow, greyed_out_item_keeps_its_text_and_registration_wins_over_data) {
    actions[1]->setEnabled(false);
    help->registerItem(actions[6], MenuId::Opt, 13); // as if item 6 were the talking switch
    edit->popup(window->mapToGlobal(QPoint(50, 50)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    hoverItem(1);
    EXPECT_EQ(status(), "クリップボードの内容を計算部に貼り付け");
    hoverItem(6);
    EXPECT_EQ(status(), "おしゃべり機能のON/OFF");
}

TEST_F(MenuHelpWindow, choosing_an_item_leaves_the_status_to_the_command) {
    QObject::connect(actions[7], &QAction::triggered, window.get(), [this] {
        window->statusBar()->showMessage(QStringLiteral("クリアしました"));
    });
    edit->popup(window->mapToGlobal(QPoint(50, 50)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    hoverItem(7);
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(actions[7]).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(status(), "クリアしました");
}

} // namespace
} // namespace quill
