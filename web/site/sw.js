// The service worker: it keeps every file of the site, so that once visited
// the page loads and runs a new program with its server gone. Each release
// names its files and their hash below (the build writes them), so a new
// release installs its own copy and drops the old one.
const PRECACHE = { version: "development", files: ["./"] }; // written by the build
const CACHE = `knapsack-vns-${PRECACHE.version}`;
const keeper = /** @type {ServiceWorkerScope} */ (/** @type {unknown} */ (self));

keeper.addEventListener("install", (event) => {
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(PRECACHE.files)).then(() => keeper.skipWaiting()));
});

keeper.addEventListener("activate", (event) => {
    event.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys.filter((key) => key.startsWith("knapsack-vns-") && key !== CACHE)
            .map((key) => caches.delete(key))))
        .then(() => keeper.clients.claim()));
});

// The site's own files from the cache, anything else from the network.
keeper.addEventListener("fetch", (event) => {
    if (event.request.method !== "GET") {
        return;
    }
    event.respondWith(caches.open(CACHE)
        .then((cache) => cache.match(event.request, { ignoreSearch: true }))
        .then((kept) => kept ?? fetch(event.request)));
});
