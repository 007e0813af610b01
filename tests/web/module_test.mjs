// The web module as the page uses it: a tape typed line by line through the sheet's change
// notices gives what a whole pass over the final text gives, and the settings file, the
// formula list, phrases and sheet files come through whole.
// Usage: node --test tests/web/module_test.mjs (QUILL_WEB_DIR names build-web when elsewhere)
import { test } from "node:test";
import assert from "node:assert/strict";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const webDir = process.env.QUILL_WEB_DIR ?? path.join(here, "../../build-web");
const { default: createQuillsum } = await import(pathToFileURL(path.join(webDir, "quillsum.mjs")));
const q = await createQuillsum();

function column(sheet) {
    return Array.from({ length: sheet.resultCount() }, (_, i) => sheet.resultText(i));
}

// Types `text` key by key into the sheet: each key changes the caret's line, Enter splits it,
// and a pass runs after every key as with recalculation on every input.
function typeInto(sheet, text, grouping) {
    let line = sheet.lineCount() - 1;
    let update;
    for (const key of text) {
        if (key === "\n") {
            sheet.replaceLines(line, 1, [sheet.lineText(line), ""]);
            ++line;
        } else {
            sheet.replaceLines(line, 1, [sheet.lineText(line) + key]);
        }
        update = sheet.calculate(grouping);
    }
    return update;
}

const tapes = [
    { text: "12,800\n+ 3,450\n- 1,200\n* 1.08\n/ 2\n+ 980", grouping: 3 },
    { text: "１２３４５\n＋６７８\n- 1/0\n+ 7", grouping: 4 },
    { text: "300000000\n+ 45,000\n\n\\ 7\nROUND(1234.5, 0)", grouping: 1 },
    { text: "2026/12/07\n+ 30\n\n10:30\n+ 1:45", grouping: 0 },
    { text: "ｶﾞｷﾞ\n\"abc\"\n2*\n-0.5", grouping: 3 },
];

test("a tape typed key by key ends as a whole pass over its text", () => {
    for (const { text, grouping } of tapes) {
        const sheet = new q.Sheet();
        const update = typeInto(sheet, text, grouping);
        const whole = q.calculateText(text, grouping);
        assert.equal(sheet.text(), whole.sheet, text);
        assert.deepEqual(column(sheet), whole.results, text);
        assert.equal(update.total, whole.total, text);
        assert.equal(update.status, whole.status, text);
        assert.equal(update.reading, whole.reading, text);
        sheet.delete();
    }
});

test("lines removed and inserted in the middle are followed", () => {
    const sheet = new q.Sheet();
    sheet.setText("1\n2\n3\n4\n5");
    sheet.calculate(3);
    sheet.replaceLines(1, 2, []);
    sheet.replaceLines(0, 0, ["+ 100", "- 1"]);
    const update = sheet.calculate(3);
    const whole = q.calculateText("+ 100\n- 1\n1\n4\n5", 3);
    assert.deepEqual(column(sheet), whole.results);
    assert.equal(update.total, whole.total);
    sheet.replaceLines(0, 99, []); // everything cut: one empty line stays, as in an editor
    assert.equal(sheet.lineCount(), 1);
    assert.equal(sheet.calculate(3).ran, false);
    sheet.delete();
});

test("narrowing reaches the sheet and the voice reads the total", () => {
    const sheet = new q.Sheet();
    sheet.setText("１２，３４５");
    const update = sheet.calculate(3);
    assert.deepEqual(update.narrowed, [{ line: 0, text: "12,345" }]);
    assert.equal(sheet.lineText(0), "12,345");
    assert.equal(update.reading, "いちまんにせんさんびゃくよんじゅうご");
    assert.equal(q.reading(q.keyPhrase("num", 1)), "いち");
    assert.equal(q.keyPhrase("op", 99), "");
    const phrases = sheet.readBack(0).map((p) => p.reading);
    assert.deepEqual(phrases, ["いちまんにせんさんびゃくよんじゅうご", "ごうけい、いちまんにせんさんびゃくよんじゅうご"]);
});

test("the settings file keeps what it does not know and round-trips its bytes", () => {
    const original = new TextEncoder().encode("[Other]\r\nKeep=this\r\n[Calc]\r\nketa=4\r\n");
    const settings = new q.Settings(original);
    assert.equal(settings.grouping(), 4);
    assert.ok(settings.setTalk(true));
    const formulas = [{ name: "税込", text: "[sel]*1.1" }, { name: "二行", text: "1\r\n+ 2" }];
    assert.ok(settings.setFormulas(formulas));
    const again = new q.Settings(settings.bytes());
    assert.equal(again.talk(), true);
    assert.deepEqual(again.formulas(), formulas);
    assert.match(new TextDecoder().decode(again.bytes()), /\[Other\]\r\nKeep=this/);
    assert.deepEqual(new q.Settings(again.bytes()).bytes(), again.bytes());
    settings.delete();
    again.delete();
});

test("sheet files: code page 932 and UTF-8 read, UTF-8 written, binary refused", () => {
    assert.equal(q.decodeSheet(new Uint8Array([0x82, 0xa0, 0x0d, 0x0a, 0x31])), "あ\n1");
    assert.equal(q.decodeSheet(new TextEncoder().encode("１+2\n")), "１+2"); // the final break ends the last line
    assert.equal(q.decodeSheet(new Uint8Array([0x31, 0x00, 0x32])), null);
    assert.deepEqual(Array.from(q.encodeSheet("あ")), [0xe3, 0x81, 0x82, 0x0a]);
});
