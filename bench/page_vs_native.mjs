// The page's VNS against the native program's, side by side: the cycles each
// completes in the 20-second budget after options 1 and 2 on the shipped
// instance, read from the page's progress text and from the native progress
// line (through a pseudo-terminal, the trace to /dev/null), in alternated
// pairs, with the medians and their ratio.
//   node bench/page_vs_native.mjs [PAIRS] [chromium|firefox]   (after the presets release and web)
import { execFileSync } from "node:child_process";
import { readFile } from "node:fs/promises";
import http from "node:http";
import { createRequire } from "node:module";
import { extname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const repo = resolve(fileURLToPath(import.meta.url), "../..");
const puppeteer = createRequire(join(repo, "web/package.json"))("puppeteer-core");
const pairs = Number(process.argv[2] ?? 3);
const browserName = process.argv[3] ?? "chromium";
const launch = browserName === "firefox"
    ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr" }
    : { browser: "chrome", executablePath: "/usr/bin/chromium",
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
            "--disable-component-update", "--disable-sync"] };

const cyclesIn = (text) => Number([...text.matchAll(/ciclos: (\d+)/g)].pop()[1]);

function native() {
    const program = join(repo, "build/release/app/knapsack");
    const shown = execFileSync("script", ["-qec", `printf '1\\n2\\n3\\n0\\n' | ${program} >/dev/null`, "/dev/null"],
        { cwd: join(repo, "data") }).toString();
    return cyclesIn(shown);
}

async function page(url) {
    const browser = await puppeteer.launch({ headless: true, ...launch });
    try {
        const tab = await browser.newPage();
        await tab.goto(url);
        const waiting = () => tab.waitForSelector('body[data-state="waiting"]', { timeout: 60000 });
        await waiting();
        for (const choice of ["1", "2", "3"]) {
            await tab.click(`[data-choice="${choice}"]`);
            await waiting();
        }
        return cyclesIn(await tab.$eval("#progress", (e) => e.textContent));
    } finally {
        await browser.close();
    }
}

const server = http.createServer(async (request, response) => {
    const types = { ".html": "text/html", ".js": "text/javascript", ".mjs": "text/javascript", ".css": "text/css",
        ".wasm": "application/wasm" };
    const path = join(repo, "build/web/site", new URL(request.url, "http://host").pathname.replace(/\/$/, "/index.html"));
    try {
        const body = await readFile(path);
        response.writeHead(200, { "content-type": types[extname(path)] ?? "application/octet-stream" }).end(body);
    } catch {
        response.writeHead(404).end();
    }
});
await new Promise((ready) => {
    server.listen(0, "127.0.0.1", ready);
});
const url = `http://127.0.0.1:${server.address().port}/`;
const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 === 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const pageCycles = [];
const nativeCycles = [];
for (let k = 0; k < pairs; ++k) {
    pageCycles.push(await page(url));
    nativeCycles.push(native());
    console.log(`pair ${k + 1}: page ${(pageCycles[k] / 1e6).toFixed(1)} M, native ${(nativeCycles[k] / 1e6).toFixed(1)} M`);
}
server.close();
const ratio = median(pageCycles) / median(nativeCycles);
console.log(`medians: page (${browserName}) ${(median(pageCycles) / 1e6).toFixed(1)} M, ` +
    `native ${(median(nativeCycles) / 1e6).toFixed(1)} M cycles; the page completes ${ratio.toFixed(2)} of the native build's`);
