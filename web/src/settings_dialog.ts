// The settings dialog: colours, font size and underline on the first page, the voice on the
// second; setting.ini can be exported and imported from here.
import { cssColour, storedColour } from "./colours";
import type { Settings } from "./quillsum";
import type { Voice, VoiceOptions } from "./voice";

export interface SettingsDialogHost {
    settings(): Settings;
    voice: Voice;
    applied(voice: VoiceOptions): void;
    exportIni(): void;
    importIni(): void;
}

export class SettingsDialog {
    private readonly field = <T extends HTMLElement>(id: string): T => this.dialog.querySelector<T>(`#${id}`)!;

    constructor(
        private readonly dialog: HTMLDialogElement,
        private readonly host: SettingsDialogHost,
    ) {
        this.field("set-ok").addEventListener("click", () => {
            if (this.apply()) dialog.close();
        });
        this.field("set-cancel").addEventListener("click", () => dialog.close());
        // Return in a text field presses OK, as in a desktop dialog.
        this.field("set-font").addEventListener("keydown", (e) => {
            if (e.key !== "Enter" || e.isComposing) return;
            e.preventDefault();
            this.field("set-ok").click();
        });
        this.field("set-export").addEventListener("click", () => host.exportIni());
        this.field("set-import").addEventListener("click", () => {
            dialog.close();
            host.importIni();
        });
        this.field("voice-test").addEventListener("click", () => {
            const saved = host.voice.options;
            host.voice.options = this.voiceFields();
            host.voice.say("こんにちわ。きるさむです");
            host.voice.options = saved;
        });
        for (const tab of dialog.querySelectorAll<HTMLButtonElement>("[role=tab]"))
            tab.addEventListener("click", () => this.showPage(tab.id));
        host.voice.onVoicesChanged(() => this.fillVoices());
    }

    open(): void {
        const s = this.host.settings();
        // A system colour shows as the theme's; it is stored again only when the user picks one.
        const colour = (id: string, stored: number, fallback: string) => {
            const input = this.field<HTMLInputElement>(id);
            input.value = cssColour(stored) ?? fallback;
            input.defaultValue = input.value;
        };
        const dark = matchMedia("(prefers-color-scheme: dark)").matches;
        colour("set-fore", s.foreColor(), dark ? "#e6e8eb" : "#1f2328");
        colour("set-back", s.backColor(), dark ? "#15181d" : "#ffffff");
        colour("set-line", s.lineColor(), dark ? "#e6e8eb" : "#1f2328");
        this.field<HTMLInputElement>("set-font").value = String(s.fontSize());
        this.field<HTMLInputElement>("set-underline").checked = s.underline();
        const v = this.host.voice.options;
        this.fillVoices();
        this.field<HTMLInputElement>("voice-rate").value = String(v.rate);
        this.field<HTMLInputElement>("voice-volume").value = String(v.volume);
        this.field<HTMLInputElement>("voice-pitch").value = String(v.pitch);
        this.field("set-error").textContent = "";
        this.showPage("tab-look");
        this.dialog.showModal();
    }

    private showPage(tabId: string): void {
        for (const tab of this.dialog.querySelectorAll<HTMLButtonElement>("[role=tab]")) {
            const on = tab.id === tabId;
            tab.setAttribute("aria-selected", String(on));
            this.field(tab.getAttribute("aria-controls")!).hidden = !on;
        }
    }

    private fillVoices(): void {
        const select = this.field<HTMLSelectElement>("voice-name");
        const voices = this.host.voice.voices();
        select.replaceChildren(
            ...voices.map((v) => new Option(v.name, v.name, false, v.name === this.host.voice.options.voiceName)),
        );
        select.disabled = voices.length === 0;
        this.field("voice-none").hidden = voices.length > 0;
    }

    private voiceFields(): VoiceOptions {
        const num = (id: string) => Number(this.field<HTMLInputElement>(id).value);
        return {
            voiceName: this.field<HTMLSelectElement>("voice-name").value,
            rate: num("voice-rate"),
            volume: num("voice-volume"),
            pitch: num("voice-pitch"),
        };
    }

    private apply(): boolean {
        const s = this.host.settings();
        if (!s.setFontSizeText(this.field<HTMLInputElement>("set-font").value.trim())) {
            this.field("set-error").textContent = "文字サイズは数値で入力して下さい";
            return false;
        }
        const picked = (id: string, set: (c: number) => boolean) => {
            const input = this.field<HTMLInputElement>(id);
            if (input.value !== input.defaultValue) set(storedColour(input.value));
        };
        picked("set-fore", (c) => s.setForeColor(c));
        picked("set-back", (c) => s.setBackColor(c));
        picked("set-line", (c) => s.setLineColor(c));
        s.setUnderline(this.field<HTMLInputElement>("set-underline").checked);
        this.host.applied(this.voiceFields());
        return true;
    }
}
