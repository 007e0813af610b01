// The menu bar's menus, items and help texts, as on the desktop. Captions carry their access
// key after "&"; "-" is a separator. Items a browser cannot have (always on top) are left out.

export type MenuId = "edit" | "func" | "view" | "opt" | "help";

export interface ItemSpec {
    index: number;
    caption: string;
    checkable?: boolean;
    hidden?: boolean;
    shortcut?: string;
    help?: string;
}

export interface MenuSpec {
    id: MenuId;
    caption: string;
    items: ItemSpec[];
}

export const AUTHOR_PAGE = "https://quillsum.example.jp/";

export const MENUS: MenuSpec[] = [
    {
        id: "edit",
        caption: "編集(&E)",
        items: [
            { index: 0, caption: "コピー(&C)", help: "計算部の文字をクリップボードにコピー" },
            { index: 1, caption: "貼り付け(&V)", help: "クリップボードの内容を計算部に貼り付け" },
            { index: 2, caption: "数値のみ貼り付け(&N)", help: "クリップボードから数字だけを取り出して計算部に貼り付け" },
            { index: 5, caption: "-" },
            { index: 6, caption: "カーソル行クリア(&R)", help: "カーソル位置の行だけを削除します" },
            { index: 7, caption: "クリア(&L)", help: "計算部をクリア" },
            { index: 8, caption: "-" },
            { index: 9, caption: "開く(&O)...", help: "テキストファイルを開いて計算部に読み込みます" },
            { index: 10, caption: "名前を付けて保存(&A)...", help: "計算部の内容をテキストファイルに保存します" },
            { index: 11, caption: "印刷(&P)...", shortcut: "Ctrl+P", help: "計算部の各行と結果、合計を印刷します" },
        ],
    },
    {
        id: "func",
        caption: "関数(&N)",
        items: [
            { index: 0, caption: "ABS()         絶対値", help: "ABS(数値)：数値の絶対値を取得" },
            { index: 2, caption: "ACOS()       アークコサイン", help: "ACOS(数値)：数値のアークコサインを取得" },
            { index: 3, caption: "ACOSD", hidden: true },
            { index: 4, caption: "ASIN()        アークサイン", help: "ASIN(数値)：数値のアークサインを取得" },
            { index: 5, caption: "ASIND()      アークサイン", hidden: true },
            { index: 6, caption: "ATAN()       アークタンジェント", help: "ATAN(数値)：数値のアークタンジェントを取得" },
            { index: 7, caption: "ATAND()     アークタンジェント", hidden: true },
            { index: 10, caption: "COS()         コサイン", help: "COS(数値)：数値のコサインを取得" },
            { index: 11, caption: "COSD()       コサイン", hidden: true },
            { index: 15, caption: "DEGREES()  ラジアン→度", help: "DEGREES(角度)：角度をラジアンから度に変換" },
            { index: 17, caption: "EXP()         指数関数", help: "EXP(数値)：e(2.71828182845904)を底とする数値のべき乗を取得" },
            { index: 25, caption: "INT()          整数", help: "INT(数値)：数値の小数点以下を切り捨てて最も近い整数を取得" },
            { index: 27, caption: "LEN()         桁数", help: "LEN(文字列)：文字列の桁数を取得" },
            { index: 28, caption: "LOG()         自然対数", help: "LOG(数値)：数値の自然対数を取得" },
            { index: 30, caption: "MAX( , )      最大値", help: "MAX(数値,数値)：2つの数値から大きい数値を取り出す" },
            { index: 31, caption: "MIN( , )       最小値", help: "MIN(数値,数値)：2つの数値から小さい数値を取り出す" },
            { index: 35, caption: "RADIANS()  度→ラジアン", help: "RADIANS(角度)：角度をラジアンに変換" },
            { index: 36, caption: "RND           ランダム", help: "RND：0から1の間の数値をランダムに取得" },
            { index: 37, caption: "ROUND()     丸め", help: "ROUND(数値)：数値を最も近い偶数に丸める" },
            { index: 40, caption: "SGN()         符号", help: "SGN(数値)：数値が正の数なら1、負の数なら-1、0なら0を返す" },
            { index: 41, caption: "SIN()          サイン", help: "SIN(数値)：数値のサインを取得" },
            { index: 42, caption: "SIND()        サイン", hidden: true },
            { index: 45, caption: "SQR()         平方根", help: "SQR(数値)：数値の正の平方根を取得" },
            { index: 47, caption: "TAN()         タンジェント", help: "TAN(数値)：数値のタンジェントを取得" },
            { index: 48, caption: "TAND()       タンジェント", hidden: true },
            { index: 98, caption: "-" },
            { index: 99, caption: "ユーザ定義式...", help: "ユーザ定義式の選択画面を表示します" },
        ],
    },
    {
        id: "view",
        caption: "表示(&V)",
        items: [
            { index: 0, caption: "ステータスバーの表示(&U)", checkable: true, help: "ステータスバーの表示/非表示" },
            { index: 1, caption: "画面中央に表示(&N)", checkable: true, help: "チェックを入れるとウィンドウが画面の中央に表示されるようになります" },
            { index: 3, caption: "-" },
            { index: 4, caption: "ボタンサイズ小(&S)", checkable: true, help: "ボタンを小サイズで表示します" },
            { index: 5, caption: "ボタンサイズ中(&M)", checkable: true, help: "ボタンを中サイズで表示します" },
            { index: 7, caption: "-" },
            { index: 8, caption: "ボタン移動モード(&B)", checkable: true, help: "チェックを入れるとボタンを自由に配置できるモードになります" },
            { index: 9, caption: "ボタンを初期位置に戻す(&D)...", help: "ボタンをサイズに合わせた初期位置に戻します" },
            { index: 10, caption: "ボタン非表示(&V)", checkable: true, help: "ボタンの表示/非表示" },
            { index: 11, caption: "-" },
            { index: 12, caption: "3桁毎に区切る(&I)", checkable: true, help: "3桁毎に「,」で区切ります" },
            { index: 13, caption: "4桁毎に区切る(&J)", checkable: true, help: "4桁毎に「,」で区切ります" },
            { index: 14, caption: "万、億、兆で区切る(&K)", checkable: true, help: "4桁毎に万、億、兆で区切ります" },
            { index: 15, caption: "-" },
            { index: 16, caption: "読み上げ(&Y)", shortcut: "F6", help: "計算部の各行と合計を順に読み上げます" },
        ],
    },
    {
        id: "opt",
        caption: "オプション(&O)",
        items: [
            { index: 7, caption: "Enter押下で再計算(&E)", checkable: true, help: "計算部でEnterを押す度に計算を実行します" },
            { index: 8, caption: "入力する度に再計算(&I)", checkable: true, help: "入力をする度に計算を実行します" },
            { index: 10, caption: "-" },
            { index: 13, caption: "おしゃべり機能(&K)", checkable: true, help: "おしゃべり機能のON/OFF" },
            { index: 14, caption: "-" },
            { index: 15, caption: "設定(&F)...", help: "設定画面を表示します" },
            { index: 17, caption: "ユーザ定義式(&U)...", help: "ユーザ定義式の設定画面を表示します" },
            { index: 18, caption: "-" },
            { index: 19, caption: "計算部を保持(&S)", checkable: true, help: "終了時の計算部を次回の起動時に復元します" },
        ],
    },
    {
        id: "help",
        caption: "ヘルプ(&H)",
        items: [
            { index: 0, caption: "ReadMeを開く(&R)...", help: "ReadMe.txtを開きます" },
            { index: 1, caption: "作者のHPへ(&H)", help: `${AUTHOR_PAGE}を開きます` },
            { index: 2, caption: "バージョン情報(&V)...", help: "バージョン情報、作者情報の表示" },
        ],
    },
];

/** The caption as shown and spoken: "編集(&E)" gives "編集(E)" and the access key "E". */
export function splitCaption(caption: string): { text: string; key: string; at: number } {
    const at = caption.indexOf("&");
    if (at === -1) return { text: caption, key: "", at: -1 };
    return { text: caption.slice(0, at) + caption.slice(at + 1), key: caption[at + 1].toUpperCase(), at };
}
