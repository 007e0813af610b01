// Renders public/icon.svg as the PNG icons the manifest names (run again when the icon changes).
import { readFileSync } from "node:fs";
import { chromium } from "playwright-core";
import { launchOptions } from "../tests/browser.mjs";
const svg = readFileSync(new URL("../public/icon.svg", import.meta.url), "utf8");
const browser = await chromium.launch(launchOptions());
for (const size of [192, 512]) {
    const page = await browser.newPage({ viewport: { width: size, height: size } });
    await page.setContent(`<style>body{margin:0}svg{width:${size}px;height:${size}px;display:block}</style>${svg}`);
    await page.screenshot({ path: new URL(`../public/icon-${size}.png`, import.meta.url).pathname, omitBackground: true });
    await page.close();
}
await browser.close();
