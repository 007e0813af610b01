// Opening and saving sheet files: the File System Access API where the browser has it, an
// upload field and a download otherwise. The module reads UTF-8 and code page 932 and writes
// UTF-8.
import type { QuillsumModule } from "./quillsum";
import { download, pickFile } from "./storage";

interface FilePickerWindow {
    showOpenFilePicker?: (o: object) => Promise<{ getFile(): Promise<File> }[]>;
    showSaveFilePicker?: (o: object) => Promise<{
        createWritable(): Promise<{ write(b: BlobPart): Promise<void>; close(): Promise<void> }>;
    }>;
}

const TYPES = [{ description: "テキストファイル", accept: { "text/plain": [".txt"] } }];

export async function openSheetFile(q: QuillsumModule, status: (t: string) => void): Promise<string | null> {
    const w = window as FilePickerWindow;
    let bytes: Uint8Array;
    try {
        if (w.showOpenFilePicker) {
            const [handle] = await w.showOpenFilePicker({ types: TYPES });
            bytes = new Uint8Array(await (await handle.getFile()).arrayBuffer());
        } else {
            const file = await pickFile(".txt,text/plain");
            if (!file) return null;
            bytes = file.bytes;
        }
    } catch {
        return null; // the user closed the picker
    }
    const text = q.decodeSheet(bytes);
    if (text == null) status("テキストファイルではないため開けません");
    return text;
}

export async function saveSheetFile(q: QuillsumModule, text: string, status: (t: string) => void): Promise<void> {
    const bytes = q.encodeSheet(text);
    const w = window as FilePickerWindow;
    if (!w.showSaveFilePicker) {
        download("quillsum.txt", bytes, "text/plain");
        return;
    }
    try {
        const handle = await w.showSaveFilePicker({ suggestedName: "quillsum.txt", types: TYPES });
        const out = await handle.createWritable();
        await out.write(bytes as Uint8Array<ArrayBuffer>);
        await out.close();
        status("保存しました");
    } catch (e) {
        if ((e as DOMException)?.name !== "AbortError") status("保存できませんでした");
    }
}
