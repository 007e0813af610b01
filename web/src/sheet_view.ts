// The sheet (a plain textarea) and the results column beside it. The textarea tells the
// module's sheet which lines an edit replaced; the results column keeps one text per sheet
// line and draws only the lines scrolled into view.
import type { PassUpdate, Sheet } from "./quillsum";

export class SheetView {
    private lines: string[] = [""];
    private results: string[] = [];
    private drawn = "";
    private shown = new Map<number, HTMLElement>();
    private metrics: { line: number; pad: number } | null = null;

    constructor(
        readonly area: HTMLTextAreaElement,
        private readonly column: HTMLElement,
        private readonly sheet: Sheet,
        private readonly underline: HTMLElement,
    ) {
        document.addEventListener("selectionchange", () => this.placeCaretLine());
        // The two columns scroll together: the wheel over the results scrolls the sheet.
        column.parentElement?.addEventListener("wheel", (e) => {
            area.scrollTop += e.deltaY;
            e.preventDefault();
        }, { passive: false });
        area.addEventListener("scroll", () => this.draw());
        new ResizeObserver(() => {
            this.metrics = null;
            this.draw();
        }).observe(area);
    }

    /** Tells the module which lines the last edit replaced (lines kept at both ends are skipped). */
    noteEdit(): void {
        const next = this.area.value.split("\n");
        const prev = this.lines;
        let head = 0;
        const shortest = Math.min(prev.length, next.length);
        while (head < shortest && prev[head] === next[head]) ++head;
        let tail = 0;
        while (tail < shortest - head && prev[prev.length - 1 - tail] === next[next.length - 1 - tail]) ++tail;
        if (head === prev.length && head === next.length) return;
        this.sheet.replaceLines(head, prev.length - head - tail, next.slice(head, next.length - tail));
        this.lines = next;
    }

    /** Replaces the whole text, as opening a file or restoring the kept sheet does. */
    setText(text: string): void {
        this.area.value = text.replace(/\r\n?/g, "\n");
        this.lines = this.area.value.split("\n");
        this.sheet.setText(this.area.value);
    }

    /** Shows what a pass changed: narrowed sheet lines, then the results column. */
    apply(update: PassUpdate): void {
        if (update.narrowed.length) this.writeNarrowed(update);
        if (!update.ran || update.wholeColumn) {
            this.results = Array.from({ length: this.sheet.resultCount() }, (_, i) => this.sheet.resultText(i));
        } else {
            for (const s of update.splices) this.results.splice(s.first, s.removed, ...Array<string>(s.added).fill(""));
            for (const l of update.lines) this.results[l.line] = l.text;
        }
        // Lines that only changed their text are rewritten where they stand; anything that
        // moved lines draws the view again.
        if (!update.ran || update.wholeColumn || update.splices.length) this.drawn = "";
        else for (const l of update.lines) {
            const div = this.shown.get(l.line);
            if (div && div.textContent !== l.text) div.textContent = l.text;
        }
        this.draw();
    }

    clearResults(): void {
        this.results = [];
        this.refresh();
    }

    resultLines(): readonly string[] {
        return this.results;
    }

    /** The caret's line, counted from 0. */
    caretLine(): number {
        return lineOf(this.area.value, this.area.selectionStart);
    }

    /** The sheet's line height and top padding, measured again after a resize or a new font. */
    private measure(): { line: number; pad: number } {
        if (!this.metrics) {
            const style = getComputedStyle(this.area);
            this.metrics = { line: parseFloat(style.lineHeight) || 20, pad: parseFloat(style.paddingTop) || 0 };
        }
        return this.metrics;
    }

    lineHeight(): number {
        return this.measure().line;
    }

    /** After the font changed: measures again and draws. */
    refresh(): void {
        this.metrics = null;
        this.drawn = "";
        this.draw();
    }

    /** Draws the result lines in view, each at its sheet line's height. */
    draw(): void {
        const h = this.lineHeight();
        const top = this.area.scrollTop;
        const first = Math.max(0, Math.floor(top / h) - 1);
        const last = Math.min(this.results.length, Math.ceil((top + this.area.clientHeight) / h) + 1);
        const key = `${first}:${last}:${h}`;
        this.column.style.setProperty("--scroll", `${-top}px`);
        this.placeCaretLine();
        if (key === this.drawn) return;
        this.drawn = key;
        const frag = document.createDocumentFragment();
        this.shown.clear();
        for (let i = first; i < last; ++i) {
            const div = document.createElement("div");
            div.className = "result";
            div.style.top = `${i * h}px`;
            div.textContent = this.results[i] ?? "";
            this.shown.set(i, div);
            frag.append(div);
        }
        this.column.replaceChildren(frag);
    }

    /** The underline under the caret's line, over the sheet's visible width. */
    placeCaretLine(): void {
        const line = this.caretLine();
        const { line: h, pad } = this.measure();
        const top = pad + (line + 1) * h - this.area.scrollTop - 1;
        const shown = top > 0 && top < this.area.clientHeight;
        this.underline.classList.toggle("shown", shown);
        this.underline.style.setProperty("--caret-top", `${top}px`);
        this.underline.style.setProperty("--caret-width", `${this.area.clientWidth - 2}px`);
    }

    // Narrowing rewrites sheet lines; the caret keeps its distance from the end of its line.
    private writeNarrowed(update: PassUpdate): void {
        const caret = this.area.selectionStart;
        const caretLine = lineOf(this.area.value, caret);
        const fromEnd = lineEnd(this.area.value, caret) - caret;
        for (const n of update.narrowed) this.lines[n.line] = n.text;
        this.area.value = this.lines.join("\n");
        const end = lineEnd(this.area.value, lineStart(this.area.value, caretLine));
        const pos = Math.max(lineStart(this.area.value, caretLine), end - fromEnd);
        this.area.setSelectionRange(pos, pos);
    }
}

export function lineOf(text: string, offset: number): number {
    let n = 0;
    for (let i = text.indexOf("\n"); i !== -1 && i < offset; i = text.indexOf("\n", i + 1)) ++n;
    return n;
}

export function lineStart(text: string, line: number): number {
    let pos = 0;
    for (let n = 0; n < line; ++n) {
        const i = text.indexOf("\n", pos);
        if (i === -1) return text.length;
        pos = i + 1;
    }
    return pos;
}

export function lineEnd(text: string, offset: number): number {
    const i = text.indexOf("\n", offset);
    return i === -1 ? text.length : i;
}
