// What the page tests share: the site served from a small server of their own, chromium,
// a page whose speech synthesis is replaced by a recorder, and reading the window back.
import { createReadStream, existsSync, statSync } from "node:fs";
import { createServer } from "node:http";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";
import { launchOptions } from "./browser.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
export const webDir = process.env.QUILL_WEB_DIR ?? path.join(here, "../../build-web");
export const siteDir = path.join(webDir, "site");

const TYPES = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".mjs": "text/javascript",
    ".css": "text/css", ".svg": "image/svg+xml", ".png": "image/png", ".webmanifest": "application/manifest+json" };

export function serveSite() {
    const server = createServer((req, res) => {
        const name = decodeURIComponent(new URL(req.url, "http://x").pathname);
        let file = path.join(siteDir, name);
        if (!file.startsWith(siteDir)) return res.writeHead(403).end();
        if (existsSync(file) && statSync(file).isDirectory()) file = path.join(file, "index.html");
        if (!existsSync(file)) return res.writeHead(404).end();
        res.writeHead(200, { "content-type": TYPES[path.extname(file)] ?? "application/octet-stream" });
        createReadStream(file).pipe(res);
    });
    return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

export const launch = () => chromium.launch(launchOptions());

// Replaces speech synthesis by a recorder: window.__speech lists "speak:TEXT" and "cancel"
// in order. A phrase "ends" when window.__endSpeech() is called (at once when
// __speakInstantly is set); `voices` are the voices offered.
function speechRecorder(voices) {
    window.__speech = [];
    class Utterance {
        constructor(text) {
            Object.assign(this, { text, lang: "", voice: null, rate: 1, volume: 1, pitch: 1 });
        }
    }
    const listeners = [];
    let playing = [];
    window.__speakInstantly = true;
    window.__endSpeech = () => {
        const ended = playing;
        playing = [];
        ended.forEach((u) => u.onend?.());
    };
    const synth = {
        speak: (u) => {
            window.__speech.push(`speak:${u.text}`);
            playing.push(u);
            if (window.__speakInstantly) setTimeout(window.__endSpeech);
        },
        cancel: () => {
            window.__speech.push("cancel");
            playing = [];
        },
        getVoices: () => voices,
        addEventListener: (_type, f) => listeners.push(f),
        speaking: false,
    };
    Object.defineProperty(window, "speechSynthesis", { value: synth, configurable: true });
    window.SpeechSynthesisUtterance = Utterance;
}

export async function openPage(browser, base, { voices = [{ name: "テスト音声", lang: "ja-JP" }], context, viewport, colorScheme } = {}) {
    const ctx = context ?? (await browser.newContext({ viewport: viewport ?? { width: 1100, height: 760 }, colorScheme }));
    await ctx.addInitScript(speechRecorder, voices);
    const page = await ctx.newPage();
    const errors = [];
    page.on("pageerror", (e) => errors.push(e.message));
    await page.goto(base);
    await page.waitForSelector("body[data-ready]");
    page.errors = errors;
    return page;
}

/** The results column as drawn, line by line (the tapes fit into the view). */
export function resultsColumn(page) {
    return page.$$eval("#results .result", (els) =>
        els.sort((a, b) => parseFloat(a.style.top) - parseFloat(b.style.top)).map((e) => e.textContent),
    );
}

export async function chooseMenu(page, menuCaption, itemCaption) {
    await page.getByRole("menuitem", { name: menuCaption, exact: true }).click();
    await page.locator(`.menu-list:not([hidden]) [aria-label="${itemCaption}"]`).click();
}
