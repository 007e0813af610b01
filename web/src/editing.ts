// Edits the keypad and the menus make in the sheet. They go through the textarea's own
// editing (so its undo takes them back) and end with the caret after what was inserted.
import { lineEnd, lineOf, lineStart } from "./sheet_view";

/** Replaces the selection (or inserts at the caret) with `text`, as typing would. */
export function insert(area: HTMLTextAreaElement, text: string): void {
    area.focus();
    if (!document.execCommand("insertText", false, text)) {
        area.setRangeText(text, area.selectionStart, area.selectionEnd, "end");
        area.dispatchEvent(new Event("input"));
    }
}

/** Encloses the selection in `open` and ")", or inserts `alone` when nothing is selected. */
export function wrap(area: HTMLTextAreaElement, open: string, alone: string): void {
    const { selectionStart: start, selectionEnd: end } = area;
    if (start === end) {
        insert(area, alone);
        return;
    }
    const inner = area.value.slice(start, end);
    insert(area, open + inner + ")");
}

/** Deletes the caret's line with the line break after it (on the last line, the one before). */
export function deleteCaretLine(area: HTMLTextAreaElement): void {
    const text = area.value;
    const line = lineOf(text, area.selectionStart);
    const start = lineStart(text, line);
    let end = lineEnd(text, start);
    if (end < text.length) ++end;
    area.focus();
    area.setSelectionRange(start, end);
    if (start === end) return;
    if (!document.execCommand("delete")) {
        area.setRangeText("", start, end, "start");
        area.dispatchEvent(new Event("input"));
    }
}

export function caretHome(area: HTMLTextAreaElement): void {
    const pos = lineStart(area.value, lineOf(area.value, area.selectionStart));
    area.focus();
    area.setSelectionRange(pos, pos);
}

export function caretEnd(area: HTMLTextAreaElement): void {
    const pos = lineEnd(area.value, area.selectionStart);
    area.focus();
    area.setSelectionRange(pos, pos);
}

/** The caret keys of the keypad: one character left or right, one line up or down. */
export function moveCaret(area: HTMLTextAreaElement, dir: "left" | "right" | "up" | "down"): void {
    const text = area.value;
    let pos = area.selectionStart;
    if (dir === "left") pos = Math.max(0, pos - 1);
    else if (dir === "right") pos = Math.min(text.length, pos + 1);
    else {
        const line = lineOf(text, pos);
        const col = pos - lineStart(text, line);
        const target = dir === "up" ? line - 1 : line + 1;
        const count = text.split("\n").length;
        if (target >= 0 && target < count) {
            const start = lineStart(text, target);
            pos = Math.min(start + col, lineEnd(text, start));
        }
    }
    area.focus();
    area.setSelectionRange(pos, pos);
}

export function deleteChar(area: HTMLTextAreaElement, forward: boolean): void {
    area.focus();
    if (document.execCommand(forward ? "forwardDelete" : "delete")) return;
    let { selectionStart: start, selectionEnd: end } = area;
    if (start === end) forward ? ++end : --start;
    if (start < 0 || end > area.value.length) return;
    area.setRangeText("", start, end, "start");
    area.dispatchEvent(new Event("input"));
}

/** Keeps the digits of each line, and a point that a digit follows; everything else goes. */
export function numbersOnly(clip: string): string {
    return clip
        .split(/\r?\n/)
        .map((line) => {
            let kept = "";
            for (let i = 0; i < line.length; ++i) {
                const c = line[i];
                if ((c >= "0" && c <= "9") || (c === "." && /[0-9]/.test(line[i + 1] ?? ""))) kept += c;
            }
            return kept;
        })
        .join("\n");
}
