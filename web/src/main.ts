// Starts the page: loads the module, builds the window, registers the service worker.
import { App } from "./app";
import { loadModule } from "./quillsum";

async function start(): Promise<void> {
    const status = document.getElementById("status")!;
    try {
        const app = new App(await loadModule());
        (window as unknown as { quillsum: App }).quillsum = app;
        document.body.dataset.ready = "true";
    } catch (e) {
        status.textContent = `計算部を読み込めませんでした: ${(e as Error).message}`;
        throw e;
    }
    if ("serviceWorker" in navigator && location.protocol !== "file:")
        navigator.serviceWorker.register("sw.js").catch(() => undefined);
}

void start();
