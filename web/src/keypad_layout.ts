// The keypad's buttons: captions, tooltips and default places in twips (15 to a pixel), as on
// the desktop. Each default left is base + k·d, where d is 0 for small buttons and 240 for
// medium ones.

export type KeyGroup = "num" | "op" | "menu";

export interface KeySpec {
    group: KeyGroup;
    index: number;
    caption: string;
    name?: string; // the accessible name where the caption is a symbol
    tip?: string;
    base: number;
    k: number;
    top: number;
}

const num = (index: number, caption: string, base: number, k: number, top: number, tip?: string, name?: string): KeySpec =>
    ({ group: "num", index, caption, base, k, top, tip, name });
const op = (index: number, caption: string, base: number, k: number, top: number, tip?: string, name?: string): KeySpec =>
    ({ group: "op", index, caption, base, k, top, tip, name });
const menu = (index: number, caption: string, base: number, k: number, top: number, tip?: string, name?: string): KeySpec =>
    ({ group: "menu", index, caption, base, k, top, tip, name });

export const KEYS: KeySpec[] = [
    menu(0, "Back", 120, 0, 0, "1文字削除"),
    menu(7, "Del", 960, 1, 0, "1文字削除"),
    menu(1, "CE", 1920, 2, 0, "カーソル行のみ削除"),
    menu(2, "C", 2760, 3, 0, "数値や計算命令をクリア(Escキー)"),
    menu(3, "Home", 5280, 8, 0, "カーソルの行頭移動"),
    menu(4, "End", 5280, 8, 360, "カーソルの行末移動"),
    menu(6, "Space", 5280, 8, 720, "スペース"),
    menu(5, "改行", 5280, 8, 1080, "改行"),
    num(7, "7", 120, 0, 480), num(8, "8", 720, 1, 480), num(9, "9", 1320, 2, 480),
    num(4, "4", 120, 0, 840), num(5, "5", 720, 1, 840), num(6, "6", 1320, 2, 840),
    num(1, "1", 120, 0, 1200), num(2, "2", 720, 1, 1200), num(3, "3", 1320, 2, 1200),
    num(0, "0", 120, 0, 1560), num(10, ".", 720, 1, 1560, undefined, "小数点"),
    op(1, "=", 1320, 2, 1560, undefined, "計算"),
    num(64, "＆H", 120, 0, 2040, "16進数を表す記号"),
    num(65, "A", 720, 1, 2040), num(66, "B", 1320, 2, 2040), num(67, "C", 1920, 3, 2040, undefined, "16進数C"),
    num(68, "D", 2520, 4, 2040), num(69, "E", 3120, 5, 2040), num(70, "F", 3720, 6, 2040),
    op(5, "/", 2040, 3, 480, "除算"), op(4, "*", 2040, 3, 840, "乗算"),
    op(3, "-", 2040, 3, 1200, "減算"), op(2, "+", 2040, 3, 1560, "加算"),
    op(0, "Mod", 2640, 4, 480, "余り"), op(9, "^", 2640, 4, 840, "階乗"),
    op(11, "√", 2640, 4, 1200, "平方根。文字を選択した状態で押すと()で挟みます"), op(12, "π", 2640, 4, 1560, "円周率"),
    op(6, "And", 3240, 5, 480, "論理積"), op(7, "Or", 3240, 5, 840, "論理和"),
    op(8, "Xor", 3240, 5, 1200, "排他的論理和"), op(10, "Not", 3240, 5, 1560, "否定"),
    op(13, "(", 3960, 6, 480, "文字を選択した状態で押すと()で挟みます", "開き括弧"),
    op(15, "←", 3960, 6, 1200, undefined, "左へ"),
    op(14, ")", 4560, 7, 480, "文字を選択した状態で押すと()で挟みます", "閉じ括弧"),
    op(16, "→", 4560, 7, 1200, undefined, "右へ"),
    op(17, "↑", 4267, 6.5, 840, undefined, "上へ"), op(18, "↓", 4267, 6.5, 1560, undefined, "下へ"),
];

/** Places on a phone's narrow screen: column, row and columns spanned in a 7-column grid. */
export const PHONE_GRID: Record<string, [number, number, number?]> = {
    menu0: [1, 1], menu7: [2, 1], menu1: [3, 1], menu2: [4, 1], menu3: [5, 1], menu4: [6, 1], menu6: [7, 1],
    num7: [1, 2], num8: [2, 2], num9: [3, 2], op5: [4, 2], op0: [5, 2], op13: [6, 2], op14: [7, 2],
    num4: [1, 3], num5: [2, 3], num6: [3, 3], op4: [4, 3], op9: [5, 3], op15: [6, 3], op16: [7, 3],
    num1: [1, 4], num2: [2, 4], num3: [3, 4], op3: [4, 4], op11: [5, 4], op17: [6, 4], op18: [7, 4],
    num0: [1, 5], num10: [2, 5], op1: [3, 5], op2: [4, 5], op12: [5, 5], menu5: [6, 5, 2],
    op6: [1, 6], op7: [2, 6], op8: [3, 6], op10: [4, 6], num64: [5, 6],
    num65: [1, 7], num66: [2, 7], num67: [3, 7], num68: [4, 7], num69: [5, 7], num70: [6, 7],
};

export const TWIPS_PER_PX = 15;
export const PANEL_HEIGHT_PX = 169;

/** Width in twips of a key at button size 4 (small) or 5 (medium). */
export function keyWidth(spec: KeySpec, size: 4 | 5): number {
    if (spec.group === "menu") return size === 4 ? 855 : 1095;
    return size === 4 ? 615 : 855;
}

export function keyHeight(spec: KeySpec): number {
    return spec.group === "menu" && spec.index === 5 ? 855 : 375;
}

/** The default left of a key in twips. */
export function defaultLeft(spec: KeySpec, size: 4 | 5): number {
    const d = size === 4 ? 0 : 240;
    return spec.base + spec.k * d;
}
