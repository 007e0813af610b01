// The user-defined formula dialog: editing mode keeps the list (stored by 適用 and OK),
// picking mode inserts the chosen formula into the sheet, the selection in place of "[sel]".
import type { Formula } from "./quillsum";
import { insert } from "./editing";

export type FormulaMode = "edit" | "pick";

/** The text to insert for `formula` around the sheet's selected text. */
export function fillFormula(formula: string, selected: string): string {
    const text = formula.replace(/\r\n/g, "\n");
    const p = text.toLowerCase().indexOf("[sel]");
    if (p === -1) return text;
    return text.slice(0, p) + selected + text.slice(p + 5);
}

export class FormulaDialog {
    private rows: Formula[] = [];
    private selected = -1;
    private mode: FormulaMode = "pick";
    private readonly list: HTMLElement;
    private readonly name: HTMLInputElement;
    private readonly text: HTMLTextAreaElement;

    constructor(
        private readonly dialog: HTMLDialogElement,
        private readonly area: HTMLTextAreaElement,
        private readonly load: () => Formula[],
        private readonly store: (rows: Formula[]) => void,
    ) {
        this.list = dialog.querySelector("#formula-list")!;
        this.name = dialog.querySelector("#formula-name")!;
        this.text = dialog.querySelector("#formula-text")!;
        const on = (id: string, f: () => void) => dialog.querySelector(`#${id}`)!.addEventListener("click", f);
        on("formula-add", () => this.add());
        on("formula-change", () => this.change());
        on("formula-delete", () => this.remove());
        on("formula-clear", () => this.fillBoxes("", ""));
        on("formula-apply", () => this.store(this.rows));
        on("formula-ok", () => {
            this.store(this.rows);
            dialog.close();
        });
        on("formula-cancel", () => dialog.close());
        this.list.addEventListener("keydown", (e) => this.onListKey(e));
        // The browser closes only modal dialogs on Esc; the picking dialog is modeless.
        dialog.addEventListener("keydown", (e) => {
            if (e.key !== "Escape" || dialog.matches(":modal")) return;
            e.preventDefault();
            e.stopPropagation(); // Esc here must not also clear the sheet
            dialog.close();
            this.area.focus();
        });
    }

    open(mode: FormulaMode): void {
        if (this.dialog.open) {
            this.dialog.querySelector<HTMLElement>("[aria-selected=true], .formula-row")?.focus();
            return;
        }
        this.mode = mode;
        this.dialog.dataset.mode = mode;
        this.rows = this.load().map((f) => ({ ...f }));
        this.selected = -1;
        this.fillBoxes("", "");
        this.name.disabled = mode === "pick";
        this.text.readOnly = mode === "pick";
        this.render();
        if (mode === "edit") this.dialog.showModal();
        else this.dialog.show();
        (this.list.querySelector<HTMLElement>(".formula-row") ?? this.list).focus();
    }

    private render(): void {
        this.list.replaceChildren(
            ...this.rows.map((row, i) => {
                const el = document.createElement("div");
                el.className = "formula-row";
                el.setAttribute("role", "option");
                el.setAttribute("aria-selected", String(i === this.selected));
                el.tabIndex = i === Math.max(0, this.selected) ? 0 : -1;
                const n = document.createElement("span");
                n.textContent = row.name;
                const t = document.createElement("span");
                t.textContent = row.text.replace(/\r\n/g, "⏎");
                el.append(n, t);
                el.addEventListener("click", () => this.select(i));
                el.addEventListener("dblclick", () => this.insertSelected());
                return el;
            }),
        );
    }

    private select(i: number): void {
        this.selected = i;
        this.fillBoxes(this.rows[i].name, this.rows[i].text.replace(/\r\n/g, "\n"));
        this.render();
        this.list.querySelectorAll<HTMLElement>(".formula-row")[i]?.focus();
    }

    private fillBoxes(name: string, text: string): void {
        this.name.value = name;
        this.text.value = text;
    }

    private boxes(): Formula {
        return { name: this.name.value, text: this.text.value.replace(/\r?\n/g, "\r\n") };
    }

    private add(): void {
        if (!this.name.value) return;
        this.rows.push(this.boxes());
        this.fillBoxes("", "");
        this.render();
    }

    private change(): void {
        if (!this.name.value || this.selected < 0) return;
        this.rows[this.selected] = this.boxes();
        this.render();
    }

    private remove(): void {
        if (this.selected < 0) return;
        this.rows.splice(this.selected, 1);
        this.selected = -1;
        this.fillBoxes("", "");
        this.render();
    }

    private insertSelected(): void {
        if (this.mode !== "pick" || this.selected < 0) return;
        const { selectionStart: s, selectionEnd: e, value } = this.area;
        this.dialog.close();
        this.area.focus();
        this.area.setSelectionRange(s, e);
        insert(this.area, fillFormula(this.rows[this.selected].text, value.slice(s, e)));
    }

    private onListKey(e: KeyboardEvent): void {
        if (!this.rows.length) return;
        if (e.key === "ArrowDown" || e.key === "ArrowUp") {
            e.preventDefault();
            const d = e.key === "ArrowDown" ? 1 : -1;
            this.select(Math.min(this.rows.length - 1, Math.max(0, this.selected + d)));
        } else if (e.key === "Enter") {
            e.preventDefault();
            if (this.selected < 0) this.select(0);
            this.insertSelected();
        }
    }
}
