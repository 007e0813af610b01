#include "window/main_menus.h"

#include <initializer_list>

namespace quill {
namespace {

struct ItemSpec {
    int index;
    const char16_t* caption; // "-" is a separator
    bool checkable = false;
    bool hidden = false;
    const char16_t* shortcut = nullptr; // a key sequence such as u"Ctrl+P"
};

MenuArray buildMenu(QMenuBar* bar, const char16_t* title, const char* name,
                    std::initializer_list<ItemSpec> specs) {
    MenuArray array;
    array.menu = bar->addMenu(QString::fromUtf16(title));
    array.menu->setObjectName(QString::fromLatin1(name));
    for (const ItemSpec& s : specs) {
        const QString caption = QString::fromUtf16(s.caption);
        QAction* a = caption == QLatin1String("-") ? array.menu->addSeparator()
                                                   : array.menu->addAction(caption);
        a->setObjectName(QStringLiteral("%1Item_%2").arg(QLatin1String(name)).arg(s.index));
        a->setCheckable(s.checkable);
        a->setVisible(!s.hidden);
        if (s.shortcut) a->setShortcut(QKeySequence(QString::fromUtf16(s.shortcut)));
        array.items[s.index] = a;
    }
    return array;
}

} // namespace

MainMenus buildMainMenus(QMenuBar* bar) {
    MainMenus m;
    m.edit = buildMenu(bar, u"編集(&E)", "mnuEdit",
                       {{0, u"コピー(&C)"},
                        {1, u"貼り付け(&V)"},
                        {2, u"数値のみ貼り付け(&N)"},
                        {5, u"-"},
                        {6, u"カーソル行クリア(&R)"},
                        {7, u"クリア(&L)"},
                        {8, u"-"},
                        {kEditItemOpen, u"開く(&O)..."},
                        {kEditItemSaveAs, u"名前を付けて保存(&A)..."},
                        {kEditItemPrint, u"印刷(&P)...", false, false, u"Ctrl+P"}});
    m.func = buildMenu(bar, u"関数(&N)", "mnuFunc",
                       {{0, u"ABS()         絶対値"},
                        {2, u"ACOS()       アークコサイン"},
                        {3, u"ACOSD", false, true},
                        {4, u"ASIN()        アークサイン"},
                        {5, u"ASIND()      アークサイン", false, true},
                        {6, u"ATAN()       アークタンジェント"},
                        {7, u"ATAND()     アークタンジェント", false, true},
                        {10, u"COS()         コサイン"},
                        {11, u"COSD()       コサイン", false, true},
                        {15, u"DEGREES()  ラジアン→度"},
                        {17, u"EXP()         指数関数"},
                        {25, u"INT()          整数"},
                        {27, u"LEN()         桁数"},
                        {28, u"LOG()         自然対数"},
                        {30, u"MAX( , )      最大値"},
                        {31, u"MIN( , )       最小値"},
                        {35, u"RADIANS()  度→ラジアン"},
                        {36, u"RND           ランダム"},
                        {37, u"ROUND()     丸め"},
                        {40, u"SGN()         符号"},
                        {41, u"SIN()          サイン"},
                        {42, u"SIND()        サイン", false, true},
                        {45, u"SQR()         平方根"},
                        {47, u"TAN()         タンジェント"},
                        {48, u"TAND()       タンジェント", false, true},
                        {98, u"-"},
                        {99, u"ユーザ定義式..."}});
    m.view = buildMenu(bar, u"表示(&V)", "mnuView",
                       {{0, u"ステータスバーの表示(&U)", true},
                        {1, u"画面中央に表示(&N)", true},
                        {2, u"常に手前に表示(&T)", true},
                        {3, u"-"},
                        {4, u"ボタンサイズ小(&S)", true},
                        {5, u"ボタンサイズ中(&M)", true},
                        {7, u"-"},
                        {8, u"ボタン移動モード(&B)", true},
                        {9, u"ボタンを初期位置に戻す(&D)..."},
                        {10, u"ボタン非表示(&V)", true},
                        {11, u"-"},
                        {12, u"3桁毎に区切る(&I)", true},
                        {13, u"4桁毎に区切る(&J)", true},
                        {14, u"万、億、兆で区切る(&K)", true},
                        {15, u"-"},
                        {16, u"読み上げ(&Y)", false, false, u"F6"}});
    m.opt = buildMenu(bar, u"オプション(&O)", "mnuOpt",
                      {{7, u"Enter押下で再計算(&E)", true},
                       {8, u"入力する度に再計算(&I)", true},
                       {10, u"-"},
                       {13, u"おしゃべり機能(&K)", true},
                       {14, u"-"},
                       {15, u"設定(&F)..."},
                       {17, u"ユーザ定義式(&U)..."},
                       {18, u"-"},
                       {kOptItemKeepSheet, u"計算部を保持(&S)", true},
                       {kOptItemFaster, u"速く話す(&R)", false, false, u"Ctrl+Shift+Up"},
                       {kOptItemSlower, u"ゆっくり話す(&W)", false, false, u"Ctrl+Shift+Down"}});
    m.help = buildMenu(bar, u"ヘルプ(&H)", "mnuHelp",
                       {{0, u"ReadMeを開く(&R)..."},
                        {1, u"作者のHPへ(&H)"},
                        {2, u"バージョン情報(&V)..."},
                        {98, u"-"},
                        {99, u"自動更新(&U)..."}});
    return m;
}

} // namespace quill
