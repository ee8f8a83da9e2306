// End to end: the built site (build/web/site), served from 127.0.0.1, in
// Debian's headless Chromium, driven by playwright-core (from the build's npm
// folder; it never downloads a browser). It types the menu's choices as a
// user would, compares the terminal with what the console program prints on
// the same instance, watches the VNS for long tasks of the main thread, and
// loads an instance with a bad token.
//   node tests/web/page_test.mjs   (after the presets release and web)
// KNAPSACK_UPDATE_SCREENSHOT=1 also writes the screenshot to docs/.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { copyFileSync } from "node:fs";
import { readFile } from "node:fs/promises";
import http from "node:http";
import { createRequire } from "node:module";
import { extname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const repo = resolve(fileURLToPath(import.meta.url), "../../..");
const site = join(repo, "build/web/site");
const native = process.env.KNAPSACK_NATIVE ?? join(repo, "build/release/app/knapsack");
const { chromium } = createRequire(join(repo, "build/web/npm/package.json"))("playwright-core");

// Objective of the shipped instance's best solution (quality/, README).
const SHIPPED_OPTIMUM = 323;
const LONG_TASK_MS = 200;

function serve(root) {
    const types = { ".html": "text/html", ".js": "text/javascript", ".mjs": "text/javascript",
        ".css": "text/css", ".wasm": "application/wasm", ".txt": "text/plain" };
    const server = http.createServer(async (request, response) => {
        const path = join(root, new URL(request.url, "http://host").pathname.replace(/\/$/, "/index.html"));
        try {
            const body = await readFile(path);
            response.writeHead(200, { "content-type": types[extname(path)] ?? "application/octet-stream" });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    return new Promise((ready) => server.listen(0, "127.0.0.1", () => ready(server)));
}

const rstrip = (text) => text.split("\n").map((line) => line.trimEnd()).join("\n").trimEnd();

// What the console prints for these input lines, as the page's terminal shows
// it: each line echoed where the program waited for it.
function expectedTerminal(lines) {
    const run = (input) => execFileSync(native, { cwd: join(repo, "data"), input }).toString();
    let shown = run("");
    for (let k = 1; k <= lines.length; ++k) {
        const before = run(lines.slice(0, k - 1).join(""));
        const after = run(lines.slice(0, k).join(""));
        shown += lines[k - 1] + after.slice(before.length);
    }
    return rstrip(shown);
}

const objectiveAfter = (text, title) => {
    const at = text.lastIndexOf(title);
    assert.notEqual(at, -1, `"${title}" is shown`);
    return Number(/Funcao objetivo: (-?\d+)/.exec(text.slice(at))[1]);
};

const server = await serve(site);
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});
let failed = false;
try {
    const page = await browser.newPage({ viewport: { width: 1280, height: 1000 } });
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    await page.addInitScript(() => {
        window.longTasks = [];
        new PerformanceObserver((list) => {
            for (const task of list.getEntries()) {
                window.longTasks.push({ start: task.startTime, duration: task.duration });
            }
        }).observe({ entryTypes: ["longtask"] });
    });
    await page.goto(url);
    const terminal = () => page.evaluate(() => window.knapsack.terminalText());
    const waitFor = (text, timeout = 10000) =>
        page.waitForFunction((t) => window.knapsack?.terminalText().includes(t), text, { timeout });
    // The terminal comes to show `expected`, or the test says how it differs.
    const expectTerminal = async (expected) => {
        await page.waitForFunction((e) => {
            const text = window.knapsack.terminalText().split("\n").map((l) => l.trimEnd()).join("\n");
            return text.trimEnd() === e;
        }, expected, { timeout: 20000 }).catch(() => {});
        assert.equal(rstrip(await terminal()), expected);
    };
    const type = async (keys) => {
        await page.click("#terminal");
        await page.keyboard.type(keys);
        await page.keyboard.press("Enter");
    };
    await waitFor("Escolha:");

    // "2x1": the request for a solution takes the x, then 1 draws one, as at a console.
    await type("2x1");
    await expectTerminal(expectedTerminal(["2x1\n"]));
    await page.click('[data-choice="2"]');
    const beforeVns = expectedTerminal(["2x1\n", "2\n"]);
    await expectTerminal(beforeVns);
    const vndObjective = objectiveAfter(beforeVns, "Melhor solucao encontrada pelo VND:");

    // 9, Backspace, an arrow, 3: the line the program receives is "3".
    const searchStart = await page.evaluate(() => {
        const terminal = window.knapsack.page.terminal;
        const write = terminal.write.bind(terminal);
        window.writes = 0;
        terminal.write = (...output) => {
            ++window.writes;
            write(...output);
        };
        return performance.now();
    });
    const frames = page.evaluate(() => new Promise((done) => {
        let count = 0;
        const start = performance.now();
        const tick = () => (performance.now() - start < 15000 ? (++count, requestAnimationFrame(tick)) : done(count / 15));
        requestAnimationFrame(tick);
    }));
    await page.click("#terminal");
    await page.keyboard.type("9");
    await page.keyboard.press("Backspace");
    await page.keyboard.press("ArrowLeft"); // an escape sequence, which types nothing
    await page.keyboard.type("3");
    await page.keyboard.press("Enter");
    await page.waitForSelector("#search:not([hidden])");
    await page.waitForFunction(() => /ciclos: [1-9]/.test(document.getElementById("progress").textContent));
    const framesPerSecond = await frames;
    const writesPerSecond = await page.evaluate((t) => window.writes / ((performance.now() - t) / 1000), searchStart);
    assert.ok(writesPerSecond <= 32, `the terminal is written ${writesPerSecond} times a second`);
    await waitFor("Melhor solucao encontrada pelo VNS em 20 segundos:", 40000);
    await page.waitForFunction(() => window.knapsack.terminalText().trimEnd().endsWith("Escolha:"));
    const afterVns = await terminal();
    const vnsObjective = objectiveAfter(afterVns, "Melhor solucao encontrada pelo VNS em 20 segundos:");
    assert.ok(vnsObjective >= vndObjective, `VNS ${vnsObjective} keeps at least the VND's ${vndObjective}`);
    const progress = await page.textContent("#progress");
    const cycles = Number(/ciclos: (\d+)/.exec(progress)[1]);
    assert.match(progress, new RegExp(`melhor objetivo: ${vnsObjective} `));
    const caption = await page.textContent("#chart-caption");
    assert.match(caption, new RegExp(`otimo exato: ${SHIPPED_OPTIMUM}`));
    const gap = ((100 * (SHIPPED_OPTIMUM - vnsObjective)) / SHIPPED_OPTIMUM).toFixed(2);
    assert.match(caption, new RegExp(`distancia ao otimo: ${gap} %`));
    assert.ok(await page.evaluate(() => window.knapsack.page.chart.points.length) >= 1);
    const longTasks = await page.evaluate((t) => window.longTasks.filter((task) => task.start >= t), searchStart);
    assert.deepEqual(longTasks.filter((task) => task.duration > LONG_TASK_MS), [], "no long task over 200 ms");
    const shot = join(repo, "build/web/page_after_vns.png");
    await page.screenshot({ path: shot, fullPage: true });
    if (process.env.KNAPSACK_UPDATE_SCREENSHOT === "1") {
        copyFileSync(shot, join(repo, "docs/web_page.png"));
    }

    await page.click('[data-choice="0"]');
    await page.waitForSelector('body[data-state="ended"]');
    assert.match(await page.textContent("#state"), /O programa terminou \(status de saida 0\)/);

    // A replaced instance with a bad token: the loader's message, then the end.
    await page.fill("#file-0", "1 2 x3\n");
    await page.click("#run-instance");
    await waitFor("O Arquivo peso50.txt contem um valor que nao e um numero inteiro.");
    await page.waitForSelector('body[data-state="ended"]');
    assert.match(await page.textContent("#state"), /status de saida 1/);
    assert.ok(!(await terminal()).includes("Escolha:"), "no menu after a bad instance");

    // At a phone's width the page still fits.
    await page.setViewportSize({ width: 390, height: 800 });
    await page.click("#restore-instance");
    await page.click("#restart");
    await waitFor("Escolha:");
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 390), "nothing wider than the phone");
    assert.deepEqual(errors, [], "no error on the page");

    console.log(`page test passed: VND ${vndObjective}, VNS ${vnsObjective} after ${cycles} cycles ` +
        `(${(cycles / 20 / 1e6).toFixed(2)} M/s), ${framesPerSecond.toFixed(0)} frames/s and ` +
        `${writesPerSecond.toFixed(1)} terminal writes/s during the ` +
        `search, longest task ${Math.max(0, ...longTasks.map((t) => t.duration)).toFixed(0)} ms`);
} catch (error) {
    failed = true;
    console.error(error);
} finally {
    await browser.close();
    server.close();
}
process.exit(failed ? 1 : 0);
