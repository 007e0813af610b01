// Key-to-results latency on a 10,000-line sheet in headless chromium, beside a bare textarea
// page doing nothing, and the first load to a typed result. A measurement, not a test: run
// by hand (node bench/latency.mjs) after ./build.sh web; medians of 50 keys.
import { launch, openPage, serveSite } from "../tests/harness.mjs";

const KEYS = 50;

// Times each key from its keydown to the first frame after the page handled its input.
function watchKeys(selector) {
    window.__lat = [];
    window.__handled = [];
    let t0 = 0;
    addEventListener("keydown", () => (t0 = performance.now()), true);
    document.querySelector(selector).addEventListener("input", () => {
        window.__handled.push(performance.now() - t0);
        requestAnimationFrame(() => setTimeout(() => window.__lat.push(performance.now() - t0)));
    });
}

async function typeKeys(page, selector) {
    await page.evaluate(watchKeys, selector);
    await page.locator(selector).focus();
    await page.keyboard.press("Control+End");
    for (let i = 0; i < KEYS; ++i) {
        await page.keyboard.press(String(i % 10));
        await page.waitForFunction((n) => window.__lat.length >= n, i + 1);
    }
    const median = (xs) => xs.sort((a, b) => a - b)[xs.length >> 1];
    const [lat, handled] = await page.evaluate(() => [window.__lat, window.__handled]);
    return [median(lat), median(handled)];
}

const server = await serveSite();
const base = `http://127.0.0.1:${server.address().port}/`;
const browser = await launch();
const tape = Array.from({ length: 10000 }, (_, i) => (i % 7 === 0 ? `${i * 13 % 9973}` : `+ ${(i * 37) % 1000}.5`)).join("\n");

const bare = await browser.newPage();
await bare.setViewportSize({ width: 1100, height: 760 });
await bare.setContent("<textarea wrap='off' style='width:680px;height:460px;font:12px monospace;line-height:1.7'></textarea>");
await bare.evaluate((t) => (document.querySelector("textarea").value = t), tape);
const [bareMs, bareHandled] = await typeKeys(bare, "textarea");

const page = await openPage(browser, base);
await page.evaluate((t) => {
    window.quillsum.view.setText(t);
    window.quillsum.calculate(false);
}, tape);
await page.locator('[aria-label="入力する度に再計算(I)"]').evaluate((el) => el.setAttribute("aria-checked", "true"));
await page.locator('[aria-label="Enter押下で再計算(E)"]').evaluate((el) => el.setAttribute("aria-checked", "false"));
const [pageMs, pageHandled] = await typeKeys(page, "#sheet");

const ctx = await browser.newContext();
const t0 = Date.now();
const first = await ctx.newPage();
await first.goto(base);
await first.waitForSelector("body[data-ready]");
await first.locator("#sheet").focus();
await first.keyboard.insertText("1 + 2");
await first.keyboard.press("F5");
await first.waitForFunction(() => document.getElementById("total").textContent === "3");
const loadMs = Date.now() - t0;

console.log(`key to the next frame, 10,000 lines, median of ${KEYS}: page ${pageMs.toFixed(1)} ms, bare textarea ${bareMs.toFixed(1)} ms (${(pageMs / bareMs).toFixed(2)}×)`);
console.log(`key to its input handled (the pass and the column included): page ${pageHandled.toFixed(1)} ms, bare ${bareHandled.toFixed(1)} ms`);
console.log(`first load to a typed result: ${loadMs} ms`);
await browser.close();
server.close();
