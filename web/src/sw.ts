// The service worker: every file of the site is cached at install, so the page reloads with
// the network off; a new build (a new file list) replaces the old cache.
export {};
const sw = self as unknown as ServiceWorkerGlobalScope;
declare const SITE_FILES: string[];
declare const SITE_VERSION: string;

const CACHE = `quillsum-${SITE_VERSION}`;

sw.addEventListener("install", (e) => {
    e.waitUntil(caches.open(CACHE).then((c) => c.addAll(SITE_FILES)).then(() => sw.skipWaiting()));
});

sw.addEventListener("activate", (e) => {
    e.waitUntil(
        caches
            .keys()
            .then((keys) => Promise.all(keys.filter((k) => k.startsWith("quillsum-") && k !== CACHE).map((k) => caches.delete(k))))
            .then(() => sw.clients.claim()),
    );
});

sw.addEventListener("fetch", (e) => {
    if (e.request.method !== "GET") return;
    e.respondWith(
        caches.open(CACHE).then(async (cache) => {
            const hit = await cache.match(e.request, { ignoreSearch: true });
            return hit ?? fetch(e.request);
        }),
    );
});
