#include "window/main_menus.h"

#include <QActionGroup>
#include <initializer_list>

namespace quill {
namespace {

template <class Item> struct ItemSpec {
    Item item;
    const char16_t* caption; // "-" is a separator
    bool checkable = false;
    bool hidden = false;
    const char16_t* shortcut = nullptr; // a key sequence such as u"Ctrl+P"
};

template <class Item>
MenuArray<Item> buildMenu(QMenuBar* bar, const char16_t* title, const char* name,
                          std::initializer_list<ItemSpec<Item>> specs) {
    MenuArray<Item> array;
    array.menu = bar->addMenu(QString::fromUtf16(title));
    array.menu->setObjectName(QString::fromLatin1(name));
    for (const ItemSpec<Item>& s : specs) {
        const QString caption = QString::fromUtf16(s.caption);
        QAction* a = caption == QLatin1String("-") ? array.menu->addSeparator()
                                                   : array.menu->addAction(caption);
        const int index = itemIndex(s.item);
        a->setObjectName(QStringLiteral("%1Item_%2").arg(QLatin1String(name)).arg(index));
        a->setCheckable(s.checkable);
        a->setVisible(!s.hidden);
        if (s.shortcut) a->setShortcut(QKeySequence(QString::fromUtf16(s.shortcut)));
        array.items[index] = a;
    }
    return array;
}

template <class Item>
void group(const MenuArray<Item>& menu, QActionGroup::ExclusionPolicy policy,
           std::initializer_list<Item> items) {
    auto* g = new QActionGroup(menu.menu);
    g->setExclusionPolicy(policy);
    for (Item item : items) g->addAction(menu.at(item));
}

} // namespace

MainMenus buildMainMenus(QMenuBar* bar) {
    MainMenus m;
    {
        using enum EditItem;
        m.edit = buildMenu<EditItem>(bar, u"編集(&E)", "mnuEdit",
                                     {{Copy, u"コピー(&C)"},
                                      {Paste, u"貼り付け(&V)"},
                                      {PasteNumbers, u"数値のみ貼り付け(&N)"},
                                      {SeparatorBeforeClear, u"-"},
                                      {ClearLine, u"カーソル行クリア(&R)"},
                                      {Clear, u"クリア(&L)"},
                                      {SeparatorBeforeFiles, u"-"},
                                      {Open, u"開く(&O)..."},
                                      {SaveAs, u"名前を付けて保存(&A)..."},
                                      {Print, u"印刷(&P)...", false, false, u"Ctrl+P"}});
    }
    {
        using enum FuncItem;
        m.func = buildMenu<FuncItem>(bar, u"関数(&N)", "mnuFunc",
                                     {{Abs, u"ABS()         絶対値"},
                                      {Acos, u"ACOS()       アークコサイン"},
                                      {AcosD, u"ACOSD", false, true},
                                      {Asin, u"ASIN()        アークサイン"},
                                      {AsinD, u"ASIND()      アークサイン", false, true},
                                      {Atan, u"ATAN()       アークタンジェント"},
                                      {AtanD, u"ATAND()     アークタンジェント", false, true},
                                      {Cos, u"COS()         コサイン"},
                                      {CosD, u"COSD()       コサイン", false, true},
                                      {Degrees, u"DEGREES()  ラジアン→度"},
                                      {Exp, u"EXP()         指数関数"},
                                      {Int, u"INT()          整数"},
                                      {Len, u"LEN()         桁数"},
                                      {Log, u"LOG()         自然対数"},
                                      {Max, u"MAX( , )      最大値"},
                                      {Min, u"MIN( , )       最小値"},
                                      {Radians, u"RADIANS()  度→ラジアン"},
                                      {Rnd, u"RND           ランダム"},
                                      {Round, u"ROUND()     丸め"},
                                      {Sgn, u"SGN()         符号"},
                                      {Sin, u"SIN()          サイン"},
                                      {SinD, u"SIND()        サイン", false, true},
                                      {Sqr, u"SQR()         平方根"},
                                      {Tan, u"TAN()         タンジェント"},
                                      {TanD, u"TAND()       タンジェント", false, true},
                                      {SeparatorBeforeFormulas, u"-"},
                                      {UserFormulas, u"ユーザ定義式..."}});
    }
    {
        using enum ViewItem;
        m.view = buildMenu<ViewItem>(bar, u"表示(&V)", "mnuView",
                                     {{StatusBar, u"ステータスバーの表示(&U)", true},
                                      {Centre, u"画面中央に表示(&N)", true},
                                      {OnTop, u"常に手前に表示(&T)", true},
                                      {SeparatorBeforeSizes, u"-"},
                                      {SizeSmall, u"ボタンサイズ小(&S)", true},
                                      {SizeMedium, u"ボタンサイズ中(&M)", true},
                                      {SeparatorBeforeMoveMode, u"-"},
                                      {MoveMode, u"ボタン移動モード(&B)", true},
                                      {ResetPositions, u"ボタンを初期位置に戻す(&D)..."},
                                      {HideKeypad, u"ボタン非表示(&V)", true},
                                      {SeparatorBeforeGrouping, u"-"},
                                      {GroupThree, u"3桁毎に区切る(&I)", true},
                                      {GroupFour, u"4桁毎に区切る(&J)", true},
                                      {GroupUnits, u"万、億、兆で区切る(&K)", true},
                                      {SeparatorBeforeReadBack, u"-"},
                                      {ReadBack, u"読み上げ(&Y)", false, false, u"F6"}});
        // A chosen size stays chosen when its item is clicked again.
        group(m.view, QActionGroup::ExclusionPolicy::Exclusive, {SizeSmall, SizeMedium});
        // Clicking the checked grouping item unchecks it: results are shown ungrouped.
        group(m.view, QActionGroup::ExclusionPolicy::ExclusiveOptional,
              {GroupThree, GroupFour, GroupUnits});
    }
    {
        using enum OptItem;
        m.opt =
            buildMenu<OptItem>(bar, u"オプション(&O)", "mnuOpt",
                               {{RecalcOnEnter, u"Enter押下で再計算(&E)", true},
                                {RecalcOnEveryInput, u"入力する度に再計算(&I)", true},
                                {SeparatorBeforeTalk, u"-"},
                                {Talk, u"おしゃべり機能(&K)", true},
                                {SeparatorBeforeSettings, u"-"},
                                {Settings, u"設定(&F)..."},
                                {UserFormulas, u"ユーザ定義式(&U)..."},
                                {SeparatorBeforeKeepSheet, u"-"},
                                {KeepSheet, u"計算部を保持(&S)", true},
                                {Faster, u"速く話す(&R)", false, false, u"Ctrl+Shift+Up"},
                                {Slower, u"ゆっくり話す(&W)", false, false, u"Ctrl+Shift+Down"}});
        // With neither checked, calculation runs only on request.
        group(m.opt, QActionGroup::ExclusionPolicy::ExclusiveOptional,
              {RecalcOnEnter, RecalcOnEveryInput});
    }
    {
        using enum HelpItem;
        m.help = buildMenu<HelpItem>(bar, u"ヘルプ(&H)", "mnuHelp",
                                     {{ReadMe, u"ReadMeを開く(&R)..."},
                                      {AuthorPage, u"作者のHPへ(&H)"},
                                      {Version, u"バージョン情報(&V)..."},
                                      {SeparatorBeforeUpdate, u"-"},
                                      {Update, u"自動更新(&U)..."}});
    }
    return m;
}

} // namespace quill
