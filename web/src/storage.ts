// What the page keeps in the browser: the settings as the bytes of a setting.ini, the kept
// sheet, and the voice's choices (which the desktop's settings file has no keys for).
import { DEFAULT_VOICE, type VoiceOptions } from "./voice";

const SETTINGS_KEY = "quillsum.setting.ini";
const SHEET_KEY = "quillsum.sheet";
const VOICE_KEY = "quillsum.voice";
const KEYPAD_KEY = "quillsum.keypad";

export function loadKeypadPlaces(): Record<string, unknown> {
    try {
        const places: unknown = JSON.parse(localStorage.getItem(KEYPAD_KEY) ?? "{}");
        return places && typeof places === "object" ? (places as Record<string, unknown>) : {};
    } catch {
        return {};
    }
}

export function saveKeypadPlaces(places: Record<string, [number, number]>): void {
    localStorage.setItem(KEYPAD_KEY, JSON.stringify(places));
}

export function loadSettingsBytes(): Uint8Array {
    const stored = localStorage.getItem(SETTINGS_KEY);
    if (!stored) return new Uint8Array();
    try {
        return Uint8Array.from(atob(stored), (c) => c.charCodeAt(0));
    } catch {
        return new Uint8Array();
    }
}

export function saveSettingsBytes(bytes: Uint8Array): void {
    let text = "";
    for (const b of bytes) text += String.fromCharCode(b);
    localStorage.setItem(SETTINGS_KEY, btoa(text));
}

export function loadKeptSheet(): string {
    return localStorage.getItem(SHEET_KEY) ?? "";
}

/** False when the browser's storage refused the text (it is full, or the sheet too large). */
export function saveKeptSheet(text: string): boolean {
    try {
        localStorage.setItem(SHEET_KEY, text);
        return true;
    } catch {
        return false;
    }
}

export function loadVoice(): VoiceOptions {
    try {
        return { ...DEFAULT_VOICE, ...(JSON.parse(localStorage.getItem(VOICE_KEY) ?? "{}") as Partial<VoiceOptions>) };
    } catch {
        return { ...DEFAULT_VOICE };
    }
}

export function saveVoice(v: VoiceOptions): void {
    localStorage.setItem(VOICE_KEY, JSON.stringify(v));
}

/** Calls `write` once edits have rested for `delay` ms; flush() writes at once (page hidden). */
export class Debounced {
    private timer = 0;
    constructor(
        private readonly write: () => void,
        private readonly delay: number,
    ) {}
    touch(): void {
        clearTimeout(this.timer);
        this.timer = window.setTimeout(() => this.flush(), this.delay);
    }
    flush(): void {
        if (!this.timer) return;
        clearTimeout(this.timer);
        this.timer = 0;
        this.write();
    }
}

/** Offers bytes as a file download. */
export function download(name: string, bytes: Uint8Array, type: string): void {
    const url = URL.createObjectURL(new Blob([bytes as Uint8Array<ArrayBuffer>], { type }));
    const a = document.createElement("a");
    a.href = url;
    a.download = name;
    a.click();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
}

/** Lets the user pick a file; resolves with its name and bytes, or null when cancelled. */
export function pickFile(accept: string): Promise<{ name: string; bytes: Uint8Array } | null> {
    return new Promise((resolve) => {
        const input = document.createElement("input");
        input.type = "file";
        input.accept = accept;
        input.addEventListener("change", async () => {
            const file = input.files?.[0];
            resolve(file ? { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()) } : null);
        });
        input.addEventListener("cancel", () => resolve(null));
        input.click();
    });
}
