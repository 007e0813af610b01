// The calculator window as a page: wires the sheet, results column, total box, status line,
// keypad, menus, voice and dialogs to the module, which does every calculation.
import { caretEnd, caretHome, deleteCaretLine, deleteChar, insert, moveCaret, numbersOnly, wrap } from "./editing";
import { cssColour } from "./colours";
import { wireDivider } from "./divider";
import { FormulaDialog } from "./formula_dialog";
import { Keypad } from "./keypad";
import type { KeyGroup } from "./keypad_layout";
import { AUTHOR_PAGE, MENUS, type MenuId } from "./menu_items";
import { MenuBar } from "./menubar";
import type { Grouping, QuillsumModule, Recalc, Settings, Sheet } from "./quillsum";
import { fillPrintView } from "./print_view";
import { SettingsDialog } from "./settings_dialog";
import { SheetView } from "./sheet_view";
import { openSheetFile, saveSheetFile } from "./sheet_files";
import * as store from "./storage";
import { Voice, type VoiceOptions } from "./voice";

const TITLE = "Quillsum";
const GROUPING_ITEMS: [number, Grouping][] = [[12, 3], [13, 4], [14, 1]];
const RECALC_ITEMS: [number, Recalc][] = [[7, 1], [8, -1]];
const $ = <T extends HTMLElement>(id: string): T => document.getElementById(id) as T;

export class App {
    readonly area = $<HTMLTextAreaElement>("sheet");
    private readonly totalBox = $<HTMLOutputElement>("total");
    private readonly statusLine = $<HTMLElement>("status");
    private readonly sheet: Sheet;
    private settingsFile: Settings;
    readonly view: SheetView;
    readonly menus: MenuBar;
    readonly keypad: Keypad;
    readonly voice = new Voice();
    private readonly formulas: FormulaDialog;
    private readonly settingsDialog: SettingsDialog;
    private readonly keptSheet = new store.Debounced(() => this.writeKeptSheet(), 2000);

    constructor(readonly q: QuillsumModule) {
        this.sheet = new q.Sheet();
        this.settingsFile = new q.Settings(store.loadSettingsBytes());
        this.view = new SheetView(this.area, $("results"), this.sheet, $("caret-line"));
        this.menus = new MenuBar($("menubar"), (m, i) => this.onMenu(m, i), (t) => this.setStatus(t));
        this.keypad = new Keypad(
            $("keypad"),
            (g, i) => this.onKey(g, i),
            (onPanel) => this.menus.show(MENUS.findIndex((m) => m.id === (onPanel ? "opt" : "view")), true),
            () => store.saveKeypadPlaces(this.keypad.places()),
        );
        this.formulas = new FormulaDialog($("formula-dialog"), this.area, () => this.settingsFile.formulas(), (rows) => {
            this.settingsFile.setFormulas(rows);
            this.saveSettings();
        });
        this.settingsDialog = new SettingsDialog($("settings-dialog"), {
            settings: () => this.settingsFile,
            voice: this.voice,
            applied: (v) => this.settingsApplied(v),
            exportIni: () => this.exportIni(),
            importIni: () => void this.importIni(),
        });
        this.voice.options = store.loadVoice();
        this.voice.onVoicesChanged(() => this.showVoiceAvailability());
        this.wireSheet();
        wireDivider($("divider"), $("panes"));
        this.applySettings();
        this.keypad.setPlaces(store.loadKeypadPlaces()); // saved places win over the defaults
        if (this.settingsFile.keepSheet()) this.view.setText(store.loadKeptSheet());
        this.calculate(false);
        $("copy-result").addEventListener("click", () => this.onKey("menu", 10));
        $("copy-result").addEventListener("mousedown", (e) => e.preventDefault());
        addEventListener("pagehide", () => this.keptSheet.flush());
        addEventListener("beforeprint", () => this.fillPrintView()); // the browser's own print too
        document.addEventListener("visibilitychange", () => document.hidden && this.keptSheet.flush());
        this.area.focus();
    }

    // ---- state read from the menus' check marks -------------------------------------------
    grouping(): Grouping {
        return GROUPING_ITEMS.find(([i]) => this.menus.isChecked("view", i))?.[1] ?? 0;
    }
    recalc(): Recalc {
        return RECALC_ITEMS.find(([i]) => this.menus.isChecked("opt", i))?.[1] ?? 0;
    }
    talking(): boolean {
        return this.menus.isChecked("opt", 13) && this.voice.available();
    }

    // ---- calculation -----------------------------------------------------------------------
    calculate(speak = true): void {
        const update = this.sheet.calculate(this.grouping());
        this.view.apply(update);
        // The total is a live region: it is written only when it changes, so each new total is heard once.
        const total = update.ran ? update.total : "";
        if (this.totalBox.value !== total) this.totalBox.value = total;
        this.setStatus(update.ran ? update.status : "");
        if (speak && update.reading && this.talking()) this.voice.sayResult(update.reading);
    }

    setStatus(text: string): void {
        this.statusLine.textContent = text;
    }

    private say(reading: string): void {
        if (this.talking()) this.voice.say(reading);
    }

    private sayPhrase(phrase: string): void {
        if (phrase) this.say(this.q.reading(phrase));
    }

    private clearAll(): void {
        this.view.setText("");
        this.view.clearResults();
        this.totalBox.value = "";
        this.setStatus("");
        this.area.focus();
        this.keptSheet.touch();
    }

    // ---- the sheet's own input -------------------------------------------------------------
    private wireSheet(): void {
        this.area.addEventListener("input", () => {
            this.view.noteEdit();
            this.keptSheet.touch();
            if (this.recalc() === -1) this.calculate();
        });
        this.area.addEventListener("keyup", (e) => {
            if (e.key === "F5" || (e.key === "Enter" && !e.ctrlKey && this.recalc() === 1)) this.calculate();
        });
        this.area.addEventListener("auxclick", (e) => {
            if (e.button === 1) this.menus.show(MENUS.findIndex((m) => m.id === "func"), true);
        });
        document.addEventListener("keydown", (e) => this.onWindowKey(e));
    }

    private onWindowKey(e: KeyboardEvent): void {
        if (document.querySelector("dialog[open]:modal")) return;
        const ctrl = e.ctrlKey && !e.altKey && !e.metaKey;
        let done = true;
        if (ctrl && e.key.toLowerCase() === "e") this.onKey("menu", 1);
        else if (ctrl && e.key === "Enter") this.calculate();
        else if (ctrl && e.code === "Space") this.formulas.open("pick");
        else if (ctrl && e.key.toLowerCase() === "p") this.print();
        else if (e.key === "F6") this.readBack();
        else if (e.key === "F5") this.area.focus();
        else if (e.key === "Escape" && !document.querySelector(".menu-list:not([hidden]), dialog[open]")) this.clearAll();
        else done = false;
        if (done && e.key !== "F5") e.preventDefault();
    }

    // ---- keypad ----------------------------------------------------------------------------
    private onKey(group: KeyGroup, index: number): void {
        if (this.keypad.moveMode) return;
        const phrase = this.q.keyPhrase(group, index);
        if (group === "num") {
            insert(this.area, index === 64 ? "&H" : index === 10 ? "." : index > 64 ? "ABCDEF"[index - 65] : String(index));
            this.sayPhrase(phrase);
        } else if (group === "op") this.onOpKey(index, phrase);
        else this.onMenuKey(index, phrase);
    }

    private onOpKey(index: number, phrase: string): void {
        const words: Record<number, string> = { 0: "Mod", 6: "And", 7: "Or", 8: "Xor", 9: "^", 10: "Not" };
        const signs: Record<number, string> = { 2: "+", 3: "-", 4: "*", 5: "/" };
        const moves: Record<number, "left" | "right" | "up" | "down"> = { 15: "left", 16: "right", 17: "up", 18: "down" };
        if (index === 1) {
            this.area.focus();
            this.calculate();
            return;
        }
        if (words[index] || signs[index]) insert(this.area, ` ${words[index] ?? signs[index]} `);
        else if (index === 11) wrap(this.area, "SQR(", "SQR(");
        else if (index === 12) insert(this.area, "3.14159265358979");
        else if (index === 13) wrap(this.area, "(", "(");
        else if (index === 14) wrap(this.area, "(", ")");
        else if (moves[index]) moveCaret(this.area, moves[index]);
        this.sayPhrase(phrase);
        // Keys that finish a value recalculate at once; the others wait for the next input.
        if ((index === 12 || index === 14) && this.recalc() === -1) this.calculate(false);
    }

    private onMenuKey(index: number, phrase: string): void {
        switch (index) {
            case 0: deleteChar(this.area, false); break;
            case 7: deleteChar(this.area, true); break;
            case 1: deleteCaretLine(this.area); break;
            case 2: this.clearAll(); break;
            case 3: caretHome(this.area); break;
            case 4: caretEnd(this.area); break;
            case 6: insert(this.area, " "); break;
            case 5:
                insert(this.area, "\n");
                if (this.recalc() === 1) {
                    this.calculate();
                    return;
                }
                break;
            case 10:
                if (!this.totalBox.value) return;
                void navigator.clipboard?.writeText(this.totalBox.value).catch(() => undefined);
                this.sayPhrase(phrase);
                this.setStatus("演算結果をコピーしました");
                return;
            default: return;
        }
        this.sayPhrase(phrase);
    }

    // ---- menus -----------------------------------------------------------------------------
    private onMenu(menu: MenuId, index: number): void {
        if (menu === "edit") void this.onEditItem(index);
        else if (menu === "func") this.onFuncItem(index);
        else if (menu === "view") this.onViewItem(index);
        else if (menu === "opt") this.onOptItem(index);
        else this.onHelpItem(index);
    }

    private async onEditItem(index: number): Promise<void> {
        const recalcAfter = () => this.recalc() === -1 && this.calculate();
        if (index === 0) {
            if (this.area.value) await navigator.clipboard?.writeText(this.area.value).catch(() => undefined);
        } else if (index === 1 || index === 2) {
            const clip = await navigator.clipboard?.readText().catch(() => null);
            if (clip == null) {
                this.setStatus("クリップボードを読めませんでした");
                return;
            }
            if (index === 2) {
                this.area.focus();
                this.area.select();
            }
            if (index === 1 || clip) insert(this.area, index === 2 ? numbersOnly(clip) : clip);
            else deleteChar(this.area, false);
            recalcAfter();
        } else if (index === 6) {
            this.onKey("menu", 1);
            recalcAfter();
        } else if (index === 7) this.onKey("menu", 2);
        else if (index === 9) await this.openFile();
        else if (index === 10) await saveSheetFile(this.q, this.area.value, (t) => this.setStatus(t));
        else if (index === 11) this.print();
    }

    private onFuncItem(index: number): void {
        if (index === 99) return this.formulas.open("pick");
        const spec = MENUS[1].items.find((i) => i.index === index);
        if (!spec) return;
        if (index === 36) return insert(this.area, "RND");
        const fn = spec.caption.slice(0, spec.caption.indexOf("(") + 1);
        wrap(this.area, fn, fn);
    }

    private onViewItem(index: number): void {
        const toggle = () => this.menus.setChecked("view", index, !this.menus.isChecked("view", index));
        if (index === 0) {
            toggle();
            this.settingsFile.setStatusBar(this.menus.isChecked("view", 0));
        } else if (index === 1) {
            toggle();
            localStorage.setItem("quillsum.center", String(this.menus.isChecked("view", 1)));
        } else if (index === 4 || index === 5) {
            if (this.menus.isChecked("view", index)) return;
            this.settingsFile.setButtonSize(index);
        } else if (index === 8) {
            toggle();
            const on = this.menus.isChecked("view", 8);
            this.keypad.setMoveMode(on);
            document.title = on ? `${TITLE} (ボタン移動モード)` : TITLE;
            if (on) this.setStatus("ボタン移動モードを終了する場合は、もう一度メニューの「ボタン移動モード」を選択して下さい");
            return;
        } else if (index === 9) {
            if (confirm("ボタン配置をデフォルトに戻します。\nよろしいですか？")) this.keypad.reset();
            return;
        } else if (index === 10) {
            toggle();
            this.settingsFile.setKeypadHidden(this.menus.isChecked("view", 10));
        } else if (index >= 12 && index <= 14) {
            const on = !this.menus.isChecked("view", index);
            const g = on ? GROUPING_ITEMS.find(([i]) => i === index)![1] : 0;
            this.settingsFile.setGrouping(g);
            this.applySettings();
            this.saveSettings();
            if (!this.keypad.moveMode) this.recalculateAll();
            return;
        } else if (index === 16) return this.readBack();
        this.saveSettings();
        this.applySettings();
    }

    private onOptItem(index: number): void {
        if (index === 7 || index === 8) {
            const on = !this.menus.isChecked("opt", index);
            this.settingsFile.setRecalc(on ? RECALC_ITEMS.find(([i]) => i === index)![1] : 0);
        } else if (index === 13) {
            if (!this.voice.available()) return;
            this.settingsFile.setTalk(!this.settingsFile.talk());
            if (!this.settingsFile.talk()) this.voice.stop();
        } else if (index === 15) return this.settingsDialog.open();
        else if (index === 17) return this.formulas.open("edit");
        else if (index === 19) this.settingsFile.setKeepSheet(!this.settingsFile.keepSheet());
        this.saveSettings();
        this.applySettings();
    }

    private onHelpItem(index: number): void {
        if (index === 0) {
            open("readme.html", "_blank", "noopener");
            this.sayPhrase("よ'め");
        } else if (index === 1) {
            open(AUTHOR_PAGE, "_blank", "noopener");
            this.sayPhrase("ほ'ーむぺ'ーじ");
        } else if (index === 2) {
            const [major, minor, revision] = this.q.version().split(".");
            this.sayPhrase(`バージョンわ,<NUMK VAL=${major}.${minor}${revision}>,で'す。`);
            $("version-text").textContent = `${TITLE} バージョン ${this.q.version()}`;
            $<HTMLDialogElement>("version-dialog").showModal();
        }
    }

    // The grouping changes every result's form: the whole column is calculated again.
    private recalculateAll(): void {
        this.sheet.setText(this.area.value);
        this.calculate();
    }

    readBack(): void {
        if (!this.talking()) return;
        this.voice.sayAll(this.sheet.readBack(this.view.caretLine()).map((p) => p.reading));
    }

    print(): void {
        print();
    }

    /** Fills the print view (shown only by print media) with the tape, results and total. */
    fillPrintView(): void {
        fillPrintView(this.area.value.split("\n"), this.view.resultLines(), this.totalBox.value ?? "");
    }

    // ---- files and settings ----------------------------------------------------------------
    private async openFile(): Promise<void> {
        const text = await openSheetFile(this.q, (t) => this.setStatus(t));
        if (text == null) return;
        this.view.setText(text);
        this.keptSheet.touch();
        this.calculate(false);
    }

    private writeKeptSheet(): void {
        if (!store.saveKeptSheet(this.settingsFile.keepSheet() ? this.area.value : ""))
            this.setStatus("計算部が大きすぎるため保持できませんでした");
    }

    saveSettings(): void {
        store.saveSettingsBytes(this.settingsFile.bytes());
    }

    exportIni(): void {
        store.download("setting.ini", this.settingsFile.bytes(), "application/octet-stream");
    }

    async importIni(): Promise<void> {
        const file = await store.pickFile(".ini,text/plain");
        if (file) this.loadIni(file.bytes);
    }

    /** Takes a setting.ini's bytes as the settings; they are kept exactly as given. */
    loadIni(bytes: Uint8Array): void {
        this.settingsFile.delete();
        this.settingsFile = new this.q.Settings(bytes);
        store.saveSettingsBytes(bytes);
        this.applySettings();
        this.recalculateAll();
        this.setStatus("設定を読み込みました");
    }

    private settingsApplied(voice: VoiceOptions): void {
        this.voice.options = voice;
        store.saveVoice(voice);
        this.saveSettings();
        this.applySettings();
    }

    // Puts every check mark, colour and size from the settings file on the page.
    private applySettings(): void {
        const s = this.settingsFile;
        const m = this.menus;
        GROUPING_ITEMS.forEach(([i, g]) => m.setChecked("view", i, s.grouping() === g));
        RECALC_ITEMS.forEach(([i, r]) => m.setChecked("opt", i, s.recalc() === r));
        m.setChecked("opt", 13, s.talk());
        m.setChecked("opt", 19, s.keepSheet());
        m.setChecked("view", 0, s.statusBar());
        m.setChecked("view", 1, localStorage.getItem("quillsum.center") === "true");
        m.setChecked("view", 4, s.buttonSize() === 4);
        m.setChecked("view", 5, s.buttonSize() === 5);
        m.setChecked("view", 10, s.keypadHidden());
        this.keypad.setSize(s.buttonSize());
        const root = document.documentElement.style;
        const set = (name: string, stored: number) => {
            const css = cssColour(stored);
            if (css) root.setProperty(name, css);
            else root.removeProperty(name);
        };
        set("--sheet-fore", s.foreColor());
        set("--sheet-back", s.backColor());
        set("--sheet-line", s.lineColor());
        root.setProperty("--sheet-font-size", `${s.fontSize()}pt`);
        document.body.classList.toggle("underline", s.underline());
        document.body.classList.toggle("no-status", !s.statusBar());
        document.body.classList.toggle("no-keypad", s.keypadHidden());
        document.body.classList.toggle("centred", m.isChecked("view", 1));
        this.view.refresh(); // the font may have changed
        this.showVoiceAvailability();
    }

    private showVoiceAvailability(): void {
        const ok = this.voice.available();
        this.menus.setEnabled("opt", 13, ok);
        const item = this.menus.item("opt", 13);
        if (item) item.title = ok ? "" : "日本語の音声がないため使えません";
    }
}
