// How the tests start Debian's chromium: headless, no sandbox (root in CI), nothing from
// the network that the browser would fetch for itself.
export function launchOptions() {
    return {
        executablePath: process.env.QUILL_CHROMIUM ?? "/usr/bin/chromium",
        headless: true,
        args: [
            "--no-sandbox",
            "--disable-gpu",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--no-first-run",
        ],
    };
}
