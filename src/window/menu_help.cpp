#include "window/menu_help.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <array>

namespace quill {

namespace {

struct HelpEntry {
    template <class Item>
    constexpr HelpEntry(Item item, const char16_t* helpText)
        : menu(menuOf(item)), index(itemIndex(item)), text(helpText) {}

    MenuId menu;
    int index;
    const char16_t* text;
};

// Keyed by menu and item index; titles, separators and the hidden function items have no entry.
// The web page's text is built from authorWebPage() and is not in this table.
constexpr std::array<HelpEntry, 51> kHelp{{
    {EditItem::Copy, u"計算部の文字をクリップボードにコピー"},
    {EditItem::Paste, u"クリップボードの内容を計算部に貼り付け"},
    {EditItem::PasteNumbers, u"クリップボードから数字だけを取り出して計算部に貼り付け"},
    {EditItem::ClearLine, u"カーソル位置の行だけを削除します"},
    {EditItem::Clear, u"計算部をクリア"},
    {EditItem::Open, u"テキストファイルを開いて計算部に読み込みます"},
    {EditItem::SaveAs, u"計算部の内容をテキストファイルに保存します"},
    {EditItem::Print, u"計算部の各行と結果、合計を印刷します"},
    {FuncItem::Abs, u"ABS(数値)：数値の絶対値を取得"},
    {FuncItem::Acos, u"ACOS(数値)：数値のアークコサインを取得"},
    {FuncItem::Asin, u"ASIN(数値)：数値のアークサインを取得"},
    {FuncItem::Atan, u"ATAN(数値)：数値のアークタンジェントを取得"},
    {FuncItem::Cos, u"COS(数値)：数値のコサインを取得"},
    {FuncItem::Degrees, u"DEGREES(角度)：角度をラジアンから度に変換"},
    {FuncItem::Exp, u"EXP(数値)：e(2.71828182845904)を底とする数値のべき乗を取得"},
    {FuncItem::Int, u"INT(数値)：数値の小数点以下を切り捨てて最も近い整数を取得"},
    {FuncItem::Len, u"LEN(文字列)：文字列の桁数を取得"},
    {FuncItem::Log, u"LOG(数値)：数値の自然対数を取得"},
    {FuncItem::Max, u"MAX(数値,数値)：2つの数値から大きい数値を取り出す"},
    {FuncItem::Min, u"MIN(数値,数値)：2つの数値から小さい数値を取り出す"},
    {FuncItem::Radians, u"RADIANS(角度)：角度をラジアンに変換"},
    {FuncItem::Rnd, u"RND：0から1の間の数値をランダムに取得"},
    {FuncItem::Round, u"ROUND(数値)：数値を最も近い偶数に丸める"},
    {FuncItem::Sgn, u"SGN(数値)：数値が正の数なら1、負の数なら-1、0なら0を返す"},
    {FuncItem::Sin, u"SIN(数値)：数値のサインを取得"},
    {FuncItem::Sqr, u"SQR(数値)：数値の正の平方根を取得"},
    {FuncItem::Tan, u"TAN(数値)：数値のタンジェントを取得"},
    {FuncItem::UserFormulas, u"ユーザ定義式の選択画面を表示します"},
    {ViewItem::StatusBar, u"ステータスバーの表示/非表示"},
    {ViewItem::Centre, u"チェックを入れるとウィンドウが画面の中央に表示されるようになります"},
    {ViewItem::OnTop, u"チェックを入れると常に画面の手前に表示されるようになります"},
    {ViewItem::SizeSmall, u"ボタンを小サイズで表示します"},
    {ViewItem::SizeMedium, u"ボタンを中サイズで表示します"},
    {ViewItem::MoveMode, u"チェックを入れるとボタンを自由に配置できるモードになります"},
    {ViewItem::ResetPositions, u"ボタンをサイズに合わせた初期位置に戻します"},
    {ViewItem::HideKeypad, u"ボタンの表示/非表示"},
    {ViewItem::GroupThree, u"3桁毎に「,」で区切ります"},
    {ViewItem::GroupFour, u"4桁毎に「,」で区切ります"},
    {ViewItem::GroupUnits, u"4桁毎に万、億、兆で区切ります"},
    {ViewItem::ReadBack, u"計算部の各行と合計を順に読み上げます"},
    {OptItem::RecalcOnEnter, u"計算部でEnterを押す度に計算を実行します"},
    {OptItem::RecalcOnEveryInput, u"入力をする度に計算を実行します"},
    {OptItem::Talk, u"おしゃべり機能のON/OFF"},
    {OptItem::Settings, u"設定画面を表示します"},
    {OptItem::UserFormulas, u"ユーザ定義式の設定画面を表示します"},
    {OptItem::KeepSheet, u"終了時の計算部を次回の起動時に復元します"},
    {OptItem::Faster, u"声を1割速くして新しい速さを読み上げます (Ctrl+Shift+↑)"},
    {OptItem::Slower, u"声を1割ゆっくりにして新しい速さを読み上げます (Ctrl+Shift+↓)"},
    {HelpItem::ReadMe, u"ReadMe.txtを開きます"},
    {HelpItem::Version, u"バージョン情報、作者情報の表示"},
    {HelpItem::Update, u"Quillsumの自動更新を行います"},
}};

} // namespace

QString authorWebPage() {
    return QStringLiteral("https://quillsum.example.jp/");
}

QString menuHelpText(MenuId menu, int index) {
    if (menu == MenuId::Help && index == itemIndex(HelpItem::AuthorPage))
        return authorWebPage() + QStringLiteral("を開きます");
    for (const HelpEntry& e : kHelp)
        if (e.menu == menu && e.index == index) return QString::fromUtf16(e.text);
    return {};
}

int menuHelpEntryCount() {
    return static_cast<int>(kHelp.size()) + 1;
}

MenuHelp::MenuHelp(Sink sink, QObject* parent) : QObject(parent), sink_(std::move(sink)) {}

void MenuHelp::registerItem(QAction* item, MenuId menu, int index) {
    items_.insert(item, ItemKey{menu, index});
    connect(item, &QObject::destroyed, this, [this, item] { items_.remove(item); });
}

void MenuHelp::watchMenu(QMenu* menu, MenuId id) {
    menus_.insert(menu, id);
    connect(menu, &QObject::destroyed, this, [this, menu] { menus_.remove(menu); });
    // Opening a menu highlights its title only; closing it leaves nothing highlighted.
    connect(menu, &QMenu::aboutToShow, this, [this] { show({}); });
    connect(menu, &QMenu::aboutToHide, this, [this] { show({}); });
    connect(menu, &QMenu::hovered, this, [this, id](QAction* item) { show(helpFor(item, id)); });
    menu->installEventFilter(this);
}

void MenuHelp::watchMenuBar(QMenuBar* bar) {
    // The bar also reports the items of the menus it opened; only its titles have no text.
    connect(bar, &QMenuBar::hovered, this, [this, bar](QAction* item) {
        if (bar->actions().contains(item)) show({});
    });
    bar->installEventFilter(this);
    if (QWidget* window = bar->window(); window != bar) window->installEventFilter(this);
}

bool MenuHelp::anyMenuOpen() const {
    for (auto it = menus_.cbegin(); it != menus_.cend(); ++it)
        if (it.key()->isVisible()) return true;
    return false;
}

QString MenuHelp::helpFor(const QAction* item, MenuId shownIn) const {
    if (!item || item->isSeparator()) return {};
    if (auto it = items_.constFind(item); it != items_.cend())
        return menuHelpText(it->menu, it->index);
    bool isIndex = false;
    const int index = item->data().toInt(&isIndex);
    return isIndex ? menuHelpText(shownIn, index) : QString();
}

void MenuHelp::show(const QString& text) {
    if (sink_) sink_(text);
}

// The mouse on a separator or a greyed-out item reports nothing through hovered(), yet the
// status bar must follow it: empty on a separator, the item's own text on a greyed-out item
// (the talking switch stays explained while no speech engine is present).
bool MenuHelp::eventFilter(QObject* watched, QEvent* event) {
    // Qt sends each highlighted item's (empty) status tip on to the menu bar and the window,
    // after hovered(); while a menu is open the menu help alone writes the status bar.
    if (event->type() == QEvent::StatusTip && !menus_.contains(qobject_cast<QMenu*>(watched)))
        return anyMenuOpen();
    if (event->type() == QEvent::MouseMove && menus_.contains(qobject_cast<QMenu*>(watched))) {
        const auto* menu = static_cast<QMenu*>(watched);
        const auto pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QAction* under = menu->actionAt(pos);
        if (!under || under->isSeparator())
            show({});
        else if (!under->isEnabled())
            show(helpFor(under, menus_.value(menu)));
    }
    return QObject::eventFilter(watched, event);
}

MenuHelp::Sink statusBarSink(QStatusBar* bar) {
    QPointer<QStatusBar> guarded(bar);
    return [guarded](const QString& text) {
        if (!guarded) return;
        if (text.isEmpty())
            guarded->clearMessage();
        else
            guarded->showMessage(text);
    };
}

} // namespace quill
