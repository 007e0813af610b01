// The menu bar: ARIA menus opened by click, Alt + access key or F10, moved through with the
// arrow keys, an item chosen with Enter or its access key. The highlighted item's help text
// goes to the status line, which is emptied when the menu closes.
import { MENUS, type MenuId, splitCaption } from "./menu_items";

export type MenuHandler = (menu: MenuId, index: number) => void;

function captionNodes(caption: string): Node[] {
    const { text, at } = splitCaption(caption);
    if (at === -1) return [document.createTextNode(text)];
    const u = document.createElement("u");
    u.textContent = text[at];
    return [document.createTextNode(text.slice(0, at)), u, document.createTextNode(text.slice(at + 1))];
}

export class MenuBar {
    private readonly items = new Map<string, HTMLElement>();
    private readonly titles: HTMLButtonElement[] = [];
    private readonly lists: HTMLElement[] = [];
    private open = -1;

    constructor(
        private readonly bar: HTMLElement,
        private readonly onChoose: MenuHandler,
        private readonly onHelp: (text: string) => void,
    ) {
        bar.setAttribute("role", "menubar");
        MENUS.forEach((menu, m) => this.buildMenu(menu.id, menu.caption, m));
        document.addEventListener("keydown", (e) => this.onGlobalKey(e), true);
        document.addEventListener("pointerdown", (e) => {
            if (this.open !== -1 && !this.bar.contains(e.target as Node)) this.close(false);
        });
    }

    item(menu: MenuId, index: number): HTMLElement | undefined {
        return this.items.get(`${menu}:${index}`);
    }

    setChecked(menu: MenuId, index: number, on: boolean): void {
        this.item(menu, index)?.setAttribute("aria-checked", String(on));
    }

    isChecked(menu: MenuId, index: number): boolean {
        return this.item(menu, index)?.getAttribute("aria-checked") === "true";
    }

    setEnabled(menu: MenuId, index: number, on: boolean): void {
        const el = this.item(menu, index);
        if (el) el.setAttribute("aria-disabled", String(!on));
    }

    private buildMenu(id: MenuId, caption: string, m: number): void {
        const wrap = document.createElement("div");
        wrap.className = "menu";
        const title = document.createElement("button");
        title.type = "button";
        title.className = "menu-title";
        title.setAttribute("role", "menuitem");
        title.setAttribute("aria-haspopup", "menu");
        title.setAttribute("aria-expanded", "false");
        title.setAttribute("aria-label", splitCaption(caption).text);
        title.tabIndex = m === 0 ? 0 : -1;
        title.append(...captionNodes(caption));
        title.addEventListener("click", () => (this.open === m ? this.close(true) : this.show(m, false)));
        title.addEventListener("pointerenter", () => {
            if (this.open !== -1 && this.open !== m) this.show(m, false);
        });
        title.addEventListener("keydown", (e) => this.onTitleKey(e, m));
        const list = document.createElement("div");
        list.className = "menu-list";
        list.setAttribute("role", "menu");
        list.setAttribute("aria-label", splitCaption(caption).text);
        list.hidden = true;
        for (const spec of MENUS[m].items) {
            if (spec.hidden) continue;
            if (spec.caption === "-") {
                const sep = document.createElement("div");
                sep.setAttribute("role", "separator");
                sep.className = "menu-sep";
                list.append(sep);
                continue;
            }
            const el = document.createElement("div");
            el.className = "menu-item";
            el.tabIndex = -1;
            el.dataset.key = splitCaption(spec.caption).key;
            el.dataset.index = String(spec.index);
            el.setAttribute("role", spec.checkable ? "menuitemcheckbox" : "menuitem");
            if (spec.checkable) el.setAttribute("aria-checked", "false");
            el.setAttribute("aria-label", splitCaption(spec.caption).text);
            const label = document.createElement("span");
            label.className = "menu-caption";
            label.append(...captionNodes(spec.caption));
            el.append(label);
            if (spec.shortcut) {
                const sc = document.createElement("span");
                sc.className = "menu-shortcut";
                sc.textContent = spec.shortcut;
                el.append(sc);
            }
            const help = spec.help ?? "";
            el.addEventListener("pointerenter", () => el.focus());
            el.addEventListener("focus", () => this.onHelp(help));
            el.addEventListener("click", () => this.choose(id, spec.index, el));
            el.addEventListener("keydown", (e) => this.onItemKey(e, m, id));
            this.items.set(`${id}:${spec.index}`, el);
            list.append(el);
        }
        wrap.append(title, list);
        this.bar.append(wrap);
        this.titles.push(title);
        this.lists.push(list);
    }

    private entries(m: number): HTMLElement[] {
        return Array.from(this.lists[m].querySelectorAll<HTMLElement>(".menu-item"));
    }

    show(m: number, focusFirst: boolean): void {
        if (this.open !== -1 && this.open !== m) this.hideList(this.open);
        this.open = m;
        this.lists[m].hidden = false;
        this.titles[m].setAttribute("aria-expanded", "true");
        this.titles.forEach((t, i) => (t.tabIndex = i === m ? 0 : -1));
        this.onHelp("");
        if (focusFirst) this.entries(m)[0]?.focus();
        else this.titles[m].focus();
    }

    private hideList(m: number): void {
        this.lists[m].hidden = true;
        this.titles[m].setAttribute("aria-expanded", "false");
    }

    close(toSheet: boolean): void {
        if (this.open === -1) return;
        const m = this.open;
        this.hideList(m);
        this.open = -1;
        this.onHelp("");
        if (toSheet) document.getElementById("sheet")?.focus();
        else if (this.bar.contains(document.activeElement)) this.titles[m].focus();
    }

    private choose(id: MenuId, index: number, el: HTMLElement): void {
        if (el.getAttribute("aria-disabled") === "true") return;
        this.close(true);
        this.onChoose(id, index);
    }

    private onGlobalKey(e: KeyboardEvent): void {
        if (e.key === "F10" && !e.shiftKey) {
            e.preventDefault();
            this.show(0, false);
            return;
        }
        if (!e.altKey || e.ctrlKey || e.metaKey) return;
        const key = e.code.startsWith("Key") ? e.code.slice(3) : e.key.toUpperCase();
        const m = MENUS.findIndex((menu) => splitCaption(menu.caption).key === key);
        if (m === -1) return;
        e.preventDefault();
        this.show(m, true);
    }

    private onTitleKey(e: KeyboardEvent, m: number): void {
        const n = this.titles.length;
        if (e.key === "ArrowRight" || e.key === "ArrowLeft") {
            e.preventDefault();
            const next = (m + (e.key === "ArrowRight" ? 1 : n - 1)) % n;
            if (this.open !== -1) this.show(next, false);
            else {
                this.titles[m].tabIndex = -1;
                this.titles[next].tabIndex = 0;
                this.titles[next].focus();
            }
        } else if (e.key === "ArrowDown" || e.key === "Enter" || e.key === " ") {
            e.preventDefault();
            this.show(m, true);
        } else if (e.key === "Escape") {
            e.preventDefault();
            e.stopPropagation(); // closing a menu is all Esc does here
            this.close(true);
        }
    }

    private onItemKey(e: KeyboardEvent, m: number, id: MenuId): void {
        const list = this.entries(m);
        const at = list.indexOf(e.currentTarget as HTMLElement);
        const n = this.titles.length;
        if (e.key === "ArrowDown" || e.key === "ArrowUp") {
            e.preventDefault();
            list[(at + (e.key === "ArrowDown" ? 1 : list.length - 1)) % list.length].focus();
        } else if (e.key === "ArrowRight" || e.key === "ArrowLeft") {
            e.preventDefault();
            this.show((m + (e.key === "ArrowRight" ? 1 : n - 1)) % n, true);
        } else if (e.key === "Escape") {
            e.preventDefault();
            e.stopPropagation(); // closing a menu is all Esc does here
            this.close(false);
        } else if (e.key === "Tab") {
            this.close(false);
        } else if (e.key === "Enter" || e.key === " ") {
            e.preventDefault();
            (e.currentTarget as HTMLElement).click();
        } else if (e.key.length === 1 && !e.ctrlKey && !e.altKey) {
            const hit = list.find((el) => el.dataset.key === e.key.toUpperCase());
            if (hit) {
                e.preventDefault();
                this.choose(id, Number(hit.dataset.index), hit);
            }
        }
    }
}
