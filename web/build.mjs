// Builds the page into <web build dir>/site: the TypeScript bundled by esbuild, the static
// files, the module and the ReadMe as a page; the service worker learns every file's name.
// Usage: node web/build.mjs [build-web]
import { createHash } from "node:crypto";
import { copyFileSync, mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import * as esbuild from "esbuild";

const here = path.dirname(fileURLToPath(import.meta.url));
const webDir = path.resolve(process.argv[2] ?? path.join(here, "../build-web"));
const site = path.join(webDir, "site");
rmSync(site, { recursive: true, force: true });
mkdirSync(site, { recursive: true });

const common = { bundle: true, minify: true, sourcemap: false, target: "es2022", logLevel: "warning" };
await esbuild.build({ ...common, entryPoints: [path.join(here, "src/main.ts")], outfile: path.join(site, "app.js"), format: "esm" });

for (const f of ["index.html", "style.css", "manifest.webmanifest"]) copyFileSync(path.join(here, "src", f), path.join(site, f));
for (const f of readdirSync(path.join(here, "public"))) copyFileSync(path.join(here, "public", f), path.join(site, f));
copyFileSync(path.join(webDir, "quillsum.mjs"), path.join(site, "quillsum.mjs"));

const escape = (s) => s.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
const readme = readFileSync(path.join(here, "../data/ReadMe.txt"), "utf8");
writeFileSync(
    path.join(site, "readme.html"),
    `<!doctype html><html lang="ja"><head><meta charset="utf-8"><meta name="viewport" content="width=device-width, initial-scale=1">` +
        `<title>Quillsum ReadMe</title><style>body{margin:0 auto;max-width:52rem;padding:1.5rem;font-family:system-ui,"Noto Sans CJK JP",sans-serif;line-height:1.7}` +
        `pre{white-space:pre-wrap;font-family:inherit}@media (prefers-color-scheme:dark){body{background:#1d2026;color:#e6e8eb}}</style></head>` +
        `<body><main><pre>${escape(readme)}</pre></main></body></html>\n`,
);

// The service worker caches every file; its cache name follows their contents.
const files = readdirSync(site).sort();
const hash = createHash("sha256");
for (const f of files) hash.update(f).update(readFileSync(path.join(site, f)));
await esbuild.build({
    ...common,
    entryPoints: [path.join(here, "src/sw.ts")],
    outfile: path.join(site, "sw.js"),
    format: "iife",
    define: { SITE_FILES: JSON.stringify(["./", ...files]), SITE_VERSION: JSON.stringify(hash.digest("hex").slice(0, 12)) },
});
console.log(`site: ${site} (${files.length + 1} files)`);
