// Takes screenshots of the page for a look at it: node tools/shot.mjs URL OUT.png [w h dark]
import { chromium } from "playwright-core";
import { launchOptions } from "../tests/browser.mjs";
const [url, out, w = "1100", h = "760", dark = ""] = process.argv.slice(2);
const browser = await chromium.launch(launchOptions());
const page = await browser.newPage({ viewport: { width: +w, height: +h }, colorScheme: dark ? "dark" : "light" });
page.on("console", (m) => console.log("console:", m.text()));
page.on("pageerror", (e) => console.log("pageerror:", e.message));
await page.goto(url);
await page.waitForSelector("body[data-ready]");
const script = process.env.SHOT_SCRIPT;
if (script) await new Function("page", `return (async () => { ${script} })()`)(page);
await page.screenshot({ path: out });
await browser.close();
