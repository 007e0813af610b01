// The page in chromium: typed tapes against quillsum-calc, random editing against a whole
// pass, keypad edits, the voice, what the browser keeps, offline, print, accessibility.
// Usage: node --test tests/ (QUILL_WEB_DIR names build-web when elsewhere)
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { readFileSync, writeFileSync, mkdtempSync } from "node:fs";
import { createRequire } from "node:module";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { chooseMenu, launch, openPage, resultsColumn, serveSite, webDir } from "./harness.mjs";

let server, browser, base;
before(async () => {
    server = await serveSite();
    base = `http://127.0.0.1:${server.address().port}/`;
    browser = await launch();
});
after(async () => {
    await browser?.close();
    server?.close();
});

const calc = (text, grouping) =>
    JSON.parse(execFileSync("node", [path.join(webDir, "quillsum-calc.js"), "--json", "--grouping", grouping], { input: text }));

const GROUPING_ITEMS = { 3: "3桁毎に区切る(I)", 4: "4桁毎に区切る(J)", units: "万、億、兆で区切る(K)" };

// Thirty tapes: amounts, tape operators, dates and times, failing lines, full-width input.
const TAPES = [
    "12,800\n+ 3,450\n- 1,200\n* 1.08\n/ 2\n+ 980",
    "１２３４５\n＋６７８\n－９",
    "300000000\n+ 45,000\n\\ 7",
    "2026/12/07\n+ 30",
    "10:30\n+ 1:45\n- 0:20",
    "1/0\n+ 5",
    "abc\n2 +\n3",
    "0.1 + 0.2\n* 3",
    "-5\n- -5\n+ 1e3",
    "&HFF\n+ &H10",
    "ROUND(1234.5, 0)\n+ INT(9.9)",
    "SQR(2)\n^ 2",
    "1234567890123456789012345\n+ 1",
    "7 Mod 3\n+ 10 Mod 4",
    "(1 + 2) * 3\n\n4",
    "ｶﾞｷﾞ\n\"abc\"",
    "１，２３４．５\n× 2",
    "100\n+ 5%",
    "MAX(3, 9)\n- MIN(3, 9)",
    "999999999999\n+ 1",
    "0\n* 0\n/ 3",
    "1\n2\n3\n4\n5\n6\n7\n8\n9\n10",
    "LEN(\"あいう\")\n+ 1",
    "3.14159265358979\n* 2",
    "12 And 10\n+ 12 Or 3",
    "2026/01/31\n+ 1",
    "  42  \n+   8",
    "1.5e-3\n* 1000",
    "+ 100\n- 30",
    "(\n1 +",
];

for (const grouping of ["none", "3", "4", "units"]) {
    test(`typed tapes give quillsum-calc's results and total (grouping ${grouping})`, async () => {
        const page = await openPage(browser, base);
        if (grouping !== "none") await chooseMenu(page, "表示(V)", GROUPING_ITEMS[grouping]);
        const tapes = grouping === "none" ? TAPES : TAPES.filter((_, i) => i % 3 === 0);
        for (const tape of tapes) {
            await page.locator("#sheet").focus();
            await page.keyboard.press("Escape");
            await page.keyboard.insertText(tape);
            await page.keyboard.press("F5");
            const want = calc(tape, grouping);
            assert.deepEqual(await resultsColumn(page), want.results, tape);
            assert.equal(await page.inputValue("#sheet"), want.sheet, tape);
            assert.equal(await page.textContent("#total"), want.total, tape);
            assert.equal(await page.textContent("#status"), want.status, tape);
        }
        assert.deepEqual(page.errors, []);
        await page.context().close();
    });
}

test("random editing sessions end as a whole pass over their text", async () => {
    const { default: createQuillsum } = await import(pathToFileURL(path.join(webDir, "quillsum.mjs")));
    const q = await createQuillsum();
    const page = await openPage(browser, base);
    await chooseMenu(page, "オプション(O)", "入力する度に再計算(I)");
    let seed = 26;
    const rnd = (n) => ((seed = (seed * 1103515245 + 12345) % 2147483648), seed % n);
    const pieces = ["1", "23", "4,5", ".", " + ", " - ", "*2", "/", "１", "０", "(", ")", "x", "\n", "\n\n", "+ 7\n"];
    const keys = ["Backspace", "Delete", "ArrowUp", "ArrowDown", "ArrowLeft", "Home", "End", "Shift+ArrowLeft", "Control+z"];
    for (let session = 0; session < 200; ++session) {
        await page.keyboard.press("Escape");
        for (let step = 0, n = 4 + rnd(12); step < n; ++step) {
            if (rnd(3)) await page.keyboard.insertText(pieces[rnd(pieces.length)]);
            else await page.keyboard.press(keys[rnd(keys.length)]);
        }
        const text = await page.inputValue("#sheet");
        const want = q.calculateText(text, 0);
        const got = await resultsColumn(page);
        assert.deepEqual(got, want.ran ? want.results : got.map(() => ""), JSON.stringify(text));
        assert.equal(await page.textContent("#total"), want.ran ? want.total : "", JSON.stringify(text));
    }
    await page.context().close();
});

test("menus: access keys, help texts on the status line, function items and pasting numbers only", async () => {
    const page = await openPage(browser, base);
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    const sheet = page.locator("#sheet");
    await sheet.focus();
    await page.keyboard.insertText("12");
    await page.keyboard.press("Alt+E");
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute("aria-label")), "コピー(C)");
    assert.equal(await page.textContent("#status"), "計算部の文字をクリップボードにコピー");
    await page.keyboard.press("ArrowDown");
    assert.equal(await page.textContent("#status"), "クリップボードの内容を計算部に貼り付け");
    await page.keyboard.press("Escape");
    assert.equal(await page.textContent("#status"), "", "closing a menu empties the help text");
    assert.equal(await sheet.inputValue(), "12", "Esc in a menu only closes it");
    await page.keyboard.press("Escape");
    await page.keyboard.press("Alt+E");
    await page.keyboard.press("l"); // クリア(&L)
    assert.equal(await sheet.inputValue(), "");

    // [sheet, selection, menu item, sheet after]
    const functionItems = [
        ["12", [0, 2], "ABS()         絶対値", "ABS(12)"],
        ["12", [2, 2], "MAX( , )      最大値", "12MAX("],
        ["12", [0, 2], "RND           ランダム", "RND"],
    ];
    for (const [text, [from, to], item, after] of functionItems) {
        await sheet.fill(text);
        await sheet.evaluate((el, [a, b]) => el.setSelectionRange(a, b), [from, to]);
        await chooseMenu(page, "関数(N)", item);
        assert.equal(await sheet.inputValue(), after, item);
    }

    // [clipboard, sheet after 数値のみ貼り付け]
    const numberPastes = [
        ["価格: 1,234円\r\n税 -5.5%", "1234\n5.5"],
        ["a1b2.c3", "123"],
        [".5\n5.", ".5\n5"],
        ["なし", ""],
    ];
    for (const [clip, after] of numberPastes) {
        await sheet.fill("old");
        await page.evaluate((t) => navigator.clipboard.writeText(t), clip);
        await chooseMenu(page, "編集(E)", "数値のみ貼り付け(N)");
        await page.waitForFunction((want) => document.getElementById("sheet").value === want, after);
    }
    await page.context().close();
});

// Keypad keys acting on a sheet with a selection: [text, selection start, end, key, text after, caret after].
const KEY_EDITS = [
    ["1+2", 0, 3, "op13", "(1+2)", 5],
    ["1+2", 0, 3, "op11", "SQR(1+2)", 8],
    ["12", 2, 2, "op14", "12)", 3],
    ["12", 2, 2, "op13", "12(", 3],
    ["1\n2\n3", 2, 2, "menu1", "1\n3", 2],
    ["1\n2\n3", 4, 4, "menu1", "1\n2\n", 4],
    ["only", 1, 1, "menu1", "", 0],
    ["ab\ncd", 0, 0, "menu4", "ab\ncd", 2],
    ["ab\ncd", 4, 4, "menu3", "ab\ncd", 3],
    ["5", 1, 1, "op2", "5 + ", 4],
    ["5", 1, 1, "op0", "5 Mod ", 6],
    ["5", 1, 1, "num64", "5&H", 3],
    ["ab", 1, 1, "menu0", "b", 0],
    ["ab", 1, 1, "menu7", "a", 1],
];

test("keypad keys edit the sheet as the desktop's do", async () => {
    const page = await openPage(browser, base);
    for (const [text, start, end, key, after, caret] of KEY_EDITS) {
        await page.evaluate(([t, s, e]) => {
            const area = document.getElementById("sheet");
            area.value = t;
            area.dispatchEvent(new Event("input"));
            area.focus();
            area.setSelectionRange(s, e);
        }, [text, start, end]);
        await page.click(`[data-key="${key}"]`);
        const got = await page.evaluate(() => [document.getElementById("sheet").value, document.getElementById("sheet").selectionStart]);
        assert.deepEqual(got, [after, caret], `${key} on ${JSON.stringify(text)}`);
    }
    await page.context().close();
});

test("keypad places: the reset follows the button size, a dragged key stays inside and is kept", async () => {
    const page = await openPage(browser, base);
    const left = (key) => page.$eval(`[data-key="${key}"]`, (el) => parseFloat(el.style.left));
    page.on("dialog", (d) => d.accept());
    await chooseMenu(page, "表示(V)", "ボタンサイズ中(M)");
    await chooseMenu(page, "表示(V)", "ボタンを初期位置に戻す(D)...");
    assert.deepEqual([await left("op1"), await left("menu3")], [1800 / 15, 7200 / 15]);
    await chooseMenu(page, "表示(V)", "ボタン移動モード(B)");
    assert.equal(await page.title(), "Quillsum (ボタン移動モード)");
    const key = page.locator('[data-key="num7"]');
    const box = await key.boundingBox();
    await page.mouse.move(box.x + 5, box.y + 5);
    await page.mouse.down();
    await page.mouse.move(5000, box.y + 5, { steps: 4 });
    await page.mouse.up();
    const [panelRight, keyRight] = await page.evaluate(() => [
        document.getElementById("keypad").clientWidth,
        parseFloat(document.querySelector('[data-key="num7"]').style.left) + parseFloat(document.querySelector('[data-key="num7"]').style.width),
    ]);
    assert.ok(Math.abs(panelRight - keyRight) < 0.1, `${keyRight} against ${panelRight}`);
    await page.click('[data-key="num1"]');
    assert.equal(await page.inputValue("#sheet"), "", "keys do nothing in move mode");
    // The divider stops 75 px from the left edge.
    const divider = await page.locator("#divider").boundingBox();
    await page.mouse.move(divider.x, divider.y + 50);
    await page.mouse.down();
    await page.mouse.move(0, divider.y + 50, { steps: 4 });
    await page.mouse.up();
    assert.equal(Math.round((await page.locator("#divider").boundingBox()).x), 75);
    await page.reload();
    await page.waitForSelector("body[data-ready]");
    assert.ok(Math.abs((await left("num7")) + 855 / 15 - panelRight) < 0.1);
    assert.equal(Math.round((await page.locator("#divider").boundingBox()).x), 75);
    await page.context().close();
});

test("the voice: keys cut off the phrase playing, results and reading back follow the module", async () => {
    const page = await openPage(browser, base);
    await chooseMenu(page, "オプション(O)", "おしゃべり機能(K)");
    await page.evaluate(() => (window.__speech.length = 0));
    await page.click('[data-key="num1"]');
    await page.click('[data-key="op2"]');
    await page.click('[data-key="num2"]');
    await page.click('[data-key="op1"]');
    await page.waitForTimeout(50);
    assert.deepEqual(await page.evaluate(() => window.__speech), [
        "cancel", "speak:いち", "cancel", "speak:たす", "cancel", "speak:に", "speak:さん",
    ]);

    // While a key's phrase plays, the result waits for it; a newer result replaces it.
    await page.evaluate(() => {
        window.__speech.length = 0;
        window.__speakInstantly = false;
    });
    await page.click('[data-key="op2"]');
    await page.click('[data-key="num3"]');
    await page.keyboard.press("F5");
    await page.click('[data-key="num0"]');
    await page.keyboard.press("F5");
    await page.evaluate(() => window.__endSpeech());
    assert.deepEqual(await page.evaluate(() => window.__speech), [
        "cancel", "speak:たす", "cancel", "speak:さん", "cancel", "speak:ぜろ", "speak:さんじゅうさん",
    ]);

    await page.evaluate(() => {
        window.__speech.length = 0;
        window.__speakInstantly = true;
    });
    await page.keyboard.press("F6");
    await page.waitForTimeout(50);
    assert.deepEqual(await page.evaluate(() => window.__speech), ["cancel", "speak:さんじゅうさん", "speak:ごうけい、さんじゅうさん"]);
    await page.context().close();

    const silent = await openPage(browser, base, { voices: [] });
    const talk = silent.locator('[aria-label="おしゃべり機能(K)"]');
    assert.equal(await talk.getAttribute("aria-disabled"), "true");
    assert.match(await talk.getAttribute("title"), /日本語の音声/);
    await silent.click('[data-key="num1"]');
    assert.deepEqual(await silent.evaluate(() => window.__speech), []);
    await silent.context().close();
});

test("the kept sheet and the settings survive a reload; the page reloads offline", async () => {
    const page = await openPage(browser, base);
    await chooseMenu(page, "表示(V)", "3桁毎に区切る(I)");
    await page.locator("#sheet").focus();
    await page.keyboard.insertText("12345\n+ 1000");
    await page.keyboard.press("F5");
    await page.waitForTimeout(2300); // the sheet is written two seconds after the last edit
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cdp = await page.context().newCDPSession(page);
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    // A test browser's contexts are private windows, which never install; nothing else may stand in the way.
    assert.deepEqual(installabilityErrors.filter((e) => e.errorId !== "in-incognito"), [], "installable as an app");
    assert.deepEqual((await cdp.send("Page.getAppManifest")).errors, []);
    await page.context().setOffline(true);
    await page.reload();
    await page.waitForSelector("body[data-ready]");
    assert.equal(await page.inputValue("#sheet"), "12345\n+ 1000");
    assert.deepEqual(await resultsColumn(page), ["12,345", "+ 1,000"]);
    assert.equal(await page.textContent("#total"), "13,345");
    assert.equal(await page.locator('[aria-label="3桁毎に区切る(I)"]').getAttribute("aria-checked"), "true");
    // A sheet too large for the browser's storage is not kept, and the status line says so.
    await page.evaluate(() => {
        window.quillsum.view.setText("1234567890\n".repeat(600000));
        window.quillsum.area.dispatchEvent(new Event("input"));
    });
    await page.waitForFunction(() => document.getElementById("status").textContent.includes("保持できません"), null, { polling: 200 });
    assert.deepEqual(page.errors, []);
    await page.context().close();
});

test("setting.ini round-trips through export and import byte for byte", async () => {
    const exportIni = async (page) => {
        await chooseMenu(page, "オプション(O)", "設定(F)...");
        const [download] = await Promise.all([page.waitForEvent("download"), page.click("#set-export")]);
        const bytes = readFileSync(await download.path());
        await page.click("#set-cancel");
        return bytes;
    };
    const first = await openPage(browser, base);
    await chooseMenu(first, "表示(V)", "万、億、兆で区切る(K)");
    await chooseMenu(first, "オプション(O)", "入力する度に再計算(I)");
    await chooseMenu(first, "オプション(O)", "ユーザ定義式(U)...");
    await first.fill("#formula-name", "税込");
    await first.fill("#formula-text", "[sel]*1.1");
    await first.click("#formula-add");
    await first.click("#formula-ok");
    const exported = await exportIni(first);
    await first.context().close();

    const second = await openPage(browser, base);
    await chooseMenu(second, "オプション(O)", "設定(F)...");
    const file = path.join(mkdtempSync(path.join(os.tmpdir(), "quill-ini-")), "setting.ini");
    writeFileSync(file, exported);
    const [chooser] = await Promise.all([second.waitForEvent("filechooser"), second.click("#set-import")]);
    await chooser.setFiles(file);
    await second.waitForFunction(() => document.getElementById("status").textContent === "設定を読み込みました");
    assert.equal(await second.locator('[aria-label="万、億、兆で区切る(K)"]').getAttribute("aria-checked"), "true");
    assert.equal(await second.locator('[aria-label="入力する度に再計算(I)"]').getAttribute("aria-checked"), "true");
    assert.deepEqual(await exportIni(second), exported);
    await second.context().close();
});

test("the settings dialog: a refused font size keeps it open, colours not picked stay the theme's", async () => {
    const page = await openPage(browser, base);
    await chooseMenu(page, "オプション(O)", "設定(F)...");
    await page.fill("#set-font", "abc");
    await page.click("#set-ok");
    assert.ok(await page.locator("#settings-dialog").evaluate((d) => d.open));
    assert.notEqual(await page.textContent("#set-error"), "");
    await page.fill("#set-font", "12");
    await page.click("#set-ok");
    assert.equal(await page.locator("#sheet").evaluate((el) => getComputedStyle(el).fontSize), "16px");
    // Return in the size field is OK, as in a desktop dialog.
    await chooseMenu(page, "オプション(O)", "設定(F)...");
    await page.fill("#set-font", "15");
    await page.press("#set-font", "Enter");
    assert.equal(await page.locator("#settings-dialog").evaluate((d) => d.open), false);
    assert.equal(await page.locator("#sheet").evaluate((el) => getComputedStyle(el).fontSize), "20px");
    const styleOf = () => page.evaluate(() => document.documentElement.style.getPropertyValue("--sheet-fore"));
    assert.equal(await styleOf(), "", "the text colour is still the system's");
    await chooseMenu(page, "オプション(O)", "設定(F)...");
    await page.locator("#set-fore").evaluate((el) => {
        el.value = "#112233";
    });
    await page.click("#set-ok");
    assert.equal(await styleOf(), "#112233");
    // A picked background is the results column's too, or light text there could not be read.
    await chooseMenu(page, "オプション(O)", "設定(F)...");
    await page.locator("#set-back").evaluate((el) => {
        el.value = "#000000";
    });
    await page.click("#set-ok");
    const background = (id) => page.locator(id).evaluate((el) => getComputedStyle(el).backgroundColor);
    assert.equal(await background("#results-pane"), "rgb(0, 0, 0)");
    assert.equal(await background("#sheet"), "rgb(0, 0, 0)");
    await page.context().close();
});

test("formulas insert around the selection", async () => {
    const page = await openPage(browser, base);
    await chooseMenu(page, "オプション(O)", "ユーザ定義式(U)...");
    await page.fill("#formula-name", "二倍");
    await page.fill("#formula-text", "([SEL])*2");
    await page.click("#formula-add");
    await page.click("#formula-ok");
    await page.locator("#sheet").focus();
    await page.keyboard.insertText("12+3");
    await page.keyboard.press("Control+a");
    await page.keyboard.press("Control+Space");
    await page.locator(".formula-row").first().dblclick();
    assert.equal(await page.inputValue("#sheet"), "(12+3)*2");
    // The picking dialog is not modal, yet Esc closes it (and only it) from the keyboard.
    await page.keyboard.press("Control+Space");
    await page.keyboard.press("Escape");
    assert.equal(await page.locator("#formula-dialog").evaluate((d) => d.open), false);
    assert.equal(await page.evaluate(() => document.activeElement.id), "sheet");
    assert.equal(await page.inputValue("#sheet"), "(12+3)*2");
    await page.context().close();
});

test("sheet files: code page 932 opens, saving writes UTF-8 with one final line break", async () => {
    const context = await browser.newContext({ acceptDownloads: true });
    // The upload field and the download, as in browsers without the File System Access API.
    await context.addInitScript(() => {
        delete window.showOpenFilePicker;
        delete window.showSaveFilePicker;
    });
    const page = await openPage(browser, base, { context });
    const file = path.join(mkdtempSync(path.join(os.tmpdir(), "quill-sheet-")), "tape.txt");
    writeFileSync(file, Buffer.from([0x82, 0x50, 0x82, 0x51, 0x0d, 0x0a, 0x2b, 0x20, 0x33])); // "１２\r\n+ 3" in code page 932
    const [chooser] = await Promise.all([page.waitForEvent("filechooser"), chooseMenu(page, "編集(E)", "開く(O)...")]);
    await chooser.setFiles(file);
    await page.waitForFunction(() => document.getElementById("total").textContent === "15");
    assert.equal(await page.inputValue("#sheet"), "12\n+ 3");
    const [download] = await Promise.all([page.waitForEvent("download"), chooseMenu(page, "編集(E)", "名前を付けて保存(A)...")]);
    assert.equal(readFileSync(await download.path(), "utf8"), "12\n+ 3\n");
    writeFileSync(file, Buffer.from([0x00, 0x01, 0xff, 0xfe, 0x00]));
    const [again] = await Promise.all([page.waitForEvent("filechooser"), chooseMenu(page, "編集(E)", "開く(O)...")]);
    await again.setFiles(file);
    await page.waitForFunction(() => document.getElementById("status").textContent.includes("開けません"));
    assert.equal(await page.inputValue("#sheet"), "12\n+ 3", "a file that is no text changes nothing");
    await context.close();
});

test("the print view holds the tape, its results and the total", async () => {
    const page = await openPage(browser, base);
    await page.locator("#sheet").focus();
    await page.keyboard.insertText("12,800\n+ 3,450");
    await page.keyboard.press("F5");
    await page.evaluate(() => window.quillsum.fillPrintView());
    await page.emulateMedia({ media: "print" });
    const pdf = path.join(mkdtempSync(path.join(os.tmpdir(), "quill-pdf-")), "tape.pdf");
    await page.pdf({ path: pdf, format: "A4" });
    const text = execFileSync("pdftotext", ["-layout", pdf, "-"], { encoding: "utf8" });
    for (const want of ["Quillsum", "12,800", "+ 3,450", "16250", "合計"]) assert.ok(text.includes(want), `${want} in\n${text}`);
    assert.match(text, /^\s*1 ?\/ ?1\s*$/m, "the page number");
    assert.match(text, /\+ 3,450 +\+ 3450\n/, "results on their tape lines");
    await page.context().close();
});

test("no accessibility violations, light and dark; a phone keeps touch-sized keys", async () => {
    const require = createRequire(import.meta.url);
    const axe = readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");
    for (const colorScheme of ["light", "dark"]) {
        const page = await openPage(browser, base, { colorScheme });
        await page.locator("#sheet").focus();
        await page.keyboard.insertText("1\n+ 2");
        await page.keyboard.press("F5");
        await page.addScriptTag({ content: axe });
        const violations = await page.evaluate(async () => (await window.axe.run()).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`));
        assert.deepEqual(violations, [], colorScheme);
        await page.context().close();
    }
    const phone = await openPage(browser, base, { viewport: { width: 390, height: 844 } });
    const sizes = await phone.$$eval(".key", (keys) => keys.map((k) => [k.textContent, k.getBoundingClientRect().width, k.getBoundingClientRect().height]));
    for (const [caption, w, h] of sizes) assert.ok(w >= 44 && h >= 44, `${caption}: ${w}×${h}`);
    assert.ok(await phone.evaluate(() => document.documentElement.scrollWidth <= 390));
    await phone.context().close();
});
