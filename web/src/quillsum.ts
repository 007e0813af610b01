// Loads the calculator's WebAssembly module, which the build copies beside the page.
import type { QuillsumModule } from "../../src/web/quillsum.d.mts";
export type * from "../../src/web/quillsum.d.mts";

export async function loadModule(): Promise<QuillsumModule> {
    const url = new URL("./quillsum.mjs", document.baseURI).href;
    const { default: create } = (await import(/* @vite-ignore */ url)) as {
        default: () => Promise<QuillsumModule>;
    };
    return create();
}
