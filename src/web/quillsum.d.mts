// The JavaScript module of Quillsum's web edition (build-web/quillsum.mjs): the calculator's
// own C++ engine, calculation pass, phrases and settings file, compiled to WebAssembly.
//
//   import createQuillsum from "./quillsum.mjs";
//   const q = await createQuillsum();
//   const sheet = new q.Sheet();
//   sheet.setText("12,800\n+ 3,450");
//   const update = sheet.calculate(3); // groups of three
//   update.total; // "16,250"
//   sheet.delete(); // objects made with `new` live in the module's memory until deleted

/** Digit grouping: none, 万/億/兆 units, groups of three, groups of four. */
export type Grouping = 0 | 1 | 3 | 4;
/** Recalculation: neither, on Enter, on every input. */
export type Recalc = 0 | 1 | -1;

export interface NumberedLine {
    line: number;
    text: string;
}

/** Lines first..first+removed-1 of the results column give way to `added` empty lines. */
export interface ColumnSplice {
    first: number;
    removed: number;
    added: number;
}

/** What a pass changed, for the page to show. */
export interface PassUpdate {
    /** False for an empty sheet: nothing else is set. */
    ran: boolean;
    /** Every result line may have changed: read them with resultText(). */
    wholeColumn: boolean;
    /** Applied in order to the results column as the previous pass left it. */
    splices: ColumnSplice[];
    /** Result lines to show after the splices; lines not named keep their text. */
    lines: NumberedLine[];
    /** Sheet lines narrowed to half-width (the sheet already holds the new text). */
    narrowed: NumberedLine[];
    total: string;
    status: string;
    /** The result phrase in the speech notation ("" when nothing is spoken). */
    phrase: string;
    /** The result phrase as kana for a voice. */
    reading: string;
}

export interface ReadBackPhrase {
    /** The sheet line it reads; -1 for the total. */
    line: number;
    phrase: string;
    reading: string;
}

/** A sheet and its incremental calculation pass. */
export interface Sheet {
    /** Replaces the whole text (lines split at LF, CR LF or CR). */
    setText(text: string): void;
    /** The editor's change notice: lines first..first+removed-1 were replaced by `lines`. */
    replaceLines(first: number, removed: number, lines: string[]): void;
    lineCount(): number;
    lineText(line: number): string;
    /** The lines joined by LF. */
    text(): string;
    /** Runs a pass over what changed since the last one. */
    calculate(grouping: Grouping): PassUpdate;
    /** The results column after the last pass, formatted when asked for. */
    resultCount(): number;
    resultText(line: number): string;
    total(): string;
    status(): string;
    /** Reading the tape back from the caret's line (from the top when it is on the last). */
    readBack(caretLine: number): ReadBackPhrase[];
    delete(): void;
}

export interface Formula {
    name: string;
    /** Line breaks as CR LF; may hold the gap "[sel]". */
    text: string;
}

/**
 * The settings file (setting.ini) with the desktop's rules: made from its bytes (empty for
 * none), changed by the setters (false when a value was refused), given back by bytes().
 */
export interface Settings {
    bytes(): Uint8Array;
    grouping(): Grouping;
    setGrouping(grouping: Grouping): boolean;
    recalc(): Recalc;
    setRecalc(recalc: Recalc): boolean;
    talk(): boolean;
    setTalk(on: boolean): boolean;
    fontSize(): number;
    /** The font-size field's text, stored as typed ("10.5"). */
    setFontSizeText(text: string): boolean;
    /** Colours as stored: 0x00BBGGRR, or 0x80000000 + a system colour index. */
    foreColor(): number;
    setForeColor(colour: number): boolean;
    backColor(): number;
    setBackColor(colour: number): boolean;
    lineColor(): number;
    setLineColor(colour: number): boolean;
    underline(): boolean;
    setUnderline(on: boolean): boolean;
    statusBar(): boolean;
    setStatusBar(on: boolean): boolean;
    keypadHidden(): boolean;
    setKeypadHidden(on: boolean): boolean;
    /** 4 small, 5 medium. */
    buttonSize(): 4 | 5;
    setButtonSize(size: 4 | 5): boolean;
    keepSheet(): boolean;
    setKeepSheet(on: boolean): boolean;
    formulas(): Formula[];
    setFormulas(formulas: Formula[]): boolean;
    delete(): void;
}

export interface PassResult {
    ran: boolean;
    /** The sheet after narrowing. */
    sheet: string;
    results: string[];
    total: string;
    status: string;
    phrase: string;
    reading: string;
}

export interface QuillsumModule {
    Sheet: { new (): Sheet };
    Settings: { new (bytes?: Uint8Array): Settings };
    /** A whole pass over a text, as quillsum-calc makes it. */
    calculateText(text: string, grouping: Grouping): PassResult;
    /** A keypad button's phrase in the speech notation ("" for one that says nothing). */
    keyPhrase(group: "num" | "op" | "menu", index: number): string;
    /** The kana a voice speaks for a phrase in the speech notation. */
    reading(phrase: string): string;
    /** The text of a sheet file's bytes (UTF-8 or code page 932); null when not text. */
    decodeSheet(bytes: Uint8Array): string | null;
    /** A sheet file's bytes: UTF-8, LF, one final line break. */
    encodeSheet(text: string): Uint8Array;
    version(): string;
}

export default function createQuillsum(options?: object): Promise<QuillsumModule>;
