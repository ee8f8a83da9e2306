// The service worker: it keeps every file of the site, so that once visited
// the page loads and runs a new program with its server gone. The build
// writes below the site's files and a version made from their contents, so a
// new release installs its own copy, fetched afresh past any HTTP cache, and
// drops the old one.
const PRECACHE = { version: "development", files: ["./"] }; // written by the build
const CACHE = `knapsack-vns-${PRECACHE.version}`;
const keeper = /** @type {ServiceWorkerScope} */ (/** @type {unknown} */ (self));

keeper.addEventListener("install", (event) => {
    const fresh = PRECACHE.files.map((file) => new Request(file, { cache: "reload" }));
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh)).then(() => keeper.skipWaiting()));
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
