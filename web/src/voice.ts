// The voice: the browser's speech synthesis with a Japanese voice speaking the module's kana.
// A key's phrase cancels the one playing; reading back queues its phrases in order.

export interface VoiceOptions {
    voiceName: string; // "" for the first Japanese voice
    rate: number; // 0.5–2
    volume: number; // 0–1
    pitch: number; // 0–2
}

export const DEFAULT_VOICE: VoiceOptions = { voiceName: "", rate: 1, volume: 1, pitch: 1 };

export class Voice {
    options: VoiceOptions = { ...DEFAULT_VOICE };

    private get synth(): SpeechSynthesis | undefined {
        return "speechSynthesis" in window ? window.speechSynthesis : undefined;
    }

    /** The Japanese voices the browser offers (their list may arrive after the page loads). */
    voices(): SpeechSynthesisVoice[] {
        return (this.synth?.getVoices() ?? []).filter((v) => v.lang.replace("_", "-").toLowerCase().startsWith("ja"));
    }

    available(): boolean {
        return this.voices().length > 0;
    }

    onVoicesChanged(listener: () => void): void {
        this.synth?.addEventListener?.("voiceschanged", listener);
    }

    /** Speaks one reading, cutting off whatever is playing. */
    say(reading: string): void {
        const synth = this.synth;
        if (!synth || !reading) return;
        synth.cancel();
        synth.speak(this.utterance(reading));
    }

    /** Speaks the readings one after another, cutting off whatever is playing first. */
    sayAll(readings: string[]): void {
        const synth = this.synth;
        if (!synth) return;
        synth.cancel();
        for (const r of readings) if (r) synth.speak(this.utterance(r));
    }

    stop(): void {
        this.synth?.cancel();
    }

    private utterance(text: string): SpeechSynthesisUtterance {
        const u = new SpeechSynthesisUtterance(text);
        u.lang = "ja-JP";
        const voices = this.voices();
        const voice = voices.find((v) => v.name === this.options.voiceName) ?? voices[0];
        if (voice) u.voice = voice;
        u.rate = this.options.rate;
        u.volume = this.options.volume;
        u.pitch = this.options.pitch;
        return u;
    }
}
