// The voice: the browser's speech synthesis with a Japanese voice speaking the module's kana.
// A key's phrase cancels the one playing; reading back queues its phrases in order.

export interface VoiceOptions {
    voiceName: string; // "" for the first Japanese voice
    rate: number; // 0.5–2
    volume: number; // 0–1
    pitch: number; // 0–2
}

export const DEFAULT_VOICE: VoiceOptions = { voiceName: "", rate: 1, volume: 1, pitch: 1 };

interface Job {
    text: string;
    result: boolean;
}

// Typing fast never builds up a backlog: a key's phrase cuts off everything before it, and
// the result phrase that follows waits for it; a newer result replaces a result waiting or
// being spoken, unless it is the same phrase still being spoken. Phrases go to the browser
// one at a time, so that a waiting one can still be dropped.
export class Voice {
    options: VoiceOptions = { ...DEFAULT_VOICE };
    private waiting: Job[] = [];
    private speaking: Job | null = null;

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

    /** A key's or a menu's phrase: cuts off whatever is playing or waiting. */
    say(reading: string): void {
        if (!reading) return;
        this.stop();
        this.play({ text: reading, result: false });
    }

    /** A result phrase: spoken after the key phrase before it. */
    sayResult(reading: string): void {
        if (!reading) return;
        this.waiting = this.waiting.filter((j) => !j.result);
        if (this.speaking?.result) {
            if (this.speaking.text === reading) return;
            this.stop();
        }
        this.waiting.push({ text: reading, result: true });
        if (!this.speaking) this.next();
    }

    /** Phrases one after another (reading back), cutting off whatever is playing first. */
    sayAll(readings: string[]): void {
        this.stop();
        this.waiting = readings.filter(Boolean).map((text) => ({ text, result: false }));
        this.next();
    }

    stop(): void {
        this.waiting = [];
        this.speaking = null;
        this.synth?.cancel();
    }

    private next(): void {
        const job = this.waiting.shift();
        if (job) this.play(job);
    }

    private play(job: Job): void {
        const synth = this.synth;
        if (!synth) return;
        this.speaking = job;
        const u = this.utterance(job.text);
        u.onend = u.onerror = () => {
            if (this.speaking !== job) return;
            this.speaking = null;
            this.next();
        };
        synth.speak(u);
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
