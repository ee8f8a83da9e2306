// End to end: the built site (build/web/site), served from 127.0.0.1, in
// Debian's headless Chromium and Firefox ESR, driven by puppeteer-core
// (Firefox through WebDriver BiDi; no browser is downloaded). It types the
// menu's choices as a user would and compares the terminal with what the
// console program prints on the same instance; reads the results as a screen
// reader would; runs a VNS (in Chromium with the CPU slowed four times),
// stops one and replaces one; keeps the results; refuses an instance; keeps
// an edit across a reload; fits a phone; and runs again with its server gone.
// axe-core checks every state.
//   node tests/web/page_test.mjs [chromium|firefox]   (after the presets release and web)
// KNAPSACK_UPDATE_SCREENSHOT=1 also writes the screenshot to docs/.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdtempSync, writeFileSync } from "node:fs";
import { readFile } from "node:fs/promises";
import http from "node:http";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { extname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const repo = resolve(fileURLToPath(import.meta.url), "../../..");
const site = join(repo, "build/web/site");
const native = process.env.KNAPSACK_NATIVE ?? join(repo, "build/release/app/knapsack");
const require = createRequire(join(repo, "web/package.json"));
const puppeteer = require("puppeteer-core");
const axePath = require.resolve("axe-core/axe.min.js");

// Objective of the shipped instance's best solution (quality/, README).
const SHIPPED_OPTIMUM = 323;
const LONG_TASK_MS = 200;
const VNS_TITLE = "Melhor solucao encontrada pelo VNS em 20 segundos:";
const BROWSERS = {
    chromium: {
        browser: "chrome",
        executablePath: "/usr/bin/chromium",
        args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync"],
    },
    firefox: { browser: "firefox", executablePath: "/usr/bin/firefox-esr" },
};

/** Serves the site until closed; `up` false answers nothing, as a server gone. */
function serve(root) {
    const types = { ".html": "text/html", ".js": "text/javascript", ".mjs": "text/javascript",
        ".css": "text/css", ".wasm": "application/wasm", ".txt": "text/plain", ".svg": "image/svg+xml",
        ".png": "image/png", ".webmanifest": "application/manifest+json" };
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
    return new Promise((ready) => {
        server.listen(0, "127.0.0.1", () => ready(server));
    });
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

async function checkPage(name) {
    const server = await serve(site);
    const url = `http://127.0.0.1:${server.address().port}/`;
    const browser = await puppeteer.launch({ headless: true, ...BROWSERS[name] });
    const chromium = name === "chromium";
    const report = {};
    try {
        const page = await browser.newPage();
        await page.setViewport({ width: 1280, height: 1000 });
        const errors = [];
        page.on("pageerror", (error) => errors.push(error.message));
        await page.evaluateOnNewDocument(() => {
            window.longTasks = [];
            try {
                new PerformanceObserver((list) => {
                    for (const task of list.getEntries()) {
                        window.longTasks.push({ start: task.startTime, duration: task.duration });
                    }
                }).observe({ entryTypes: ["longtask"] });
            } catch {
                window.longTasks = null; // a browser that reports no long tasks
            }
            // Downloads are kept here instead of saved.
            window.saved = [];
            const make = URL.createObjectURL;
            URL.createObjectURL = (blob) => (window.saved.push(blob), make.call(URL, blob));
            HTMLAnchorElement.prototype.click = function () {};
        });
        const terminal = () => page.evaluate(() => window.knapsack.terminalText());
        const waitFor = (text, timeout = 15000) =>
            page.waitForFunction((t) => window.knapsack?.terminalText().includes(t), { timeout }, text);
        const waitState = (state, timeout = 15000) =>
            page.waitForSelector(`body[data-state="${state}"]`, { timeout });
        const text = (selector) => page.$eval(selector, (e) => e.textContent);
        const expectTerminal = async (expected) => {
            await page.waitForFunction((e) => {
                const shown = window.knapsack.terminalText().split("\n").map((l) => l.trimEnd()).join("\n");
                return shown.trimEnd() === e;
            }, { timeout: 20000 }, expected).catch(() => {});
            assert.equal(rstrip(await terminal()), expected);
        };
        const type = async (keys) => {
            await page.click("#terminal");
            await page.keyboard.type(keys);
            await page.keyboard.press("Enter");
        };
        // axe-core finds nothing in this state of the page.
        const accessible = async (state) => {
            if (!(await page.evaluate(() => "axe" in window))) {
                await page.addScriptTag({ path: axePath });
            }
            const violations = await page.evaluate(async () =>
                (await window.axe.run()).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`));
            assert.deepEqual(violations, [], `axe-core in the state "${state}"`);
        };

        await page.goto(url);
        await waitFor("Escolha:");
        await waitState("waiting");
        assert.ok(!(await page.$eval("#stop", (b) => b.disabled)), "Parar works while the program waits");
        assert.equal(await text("#file-0-note"), "", "no hint for a file of 50 numbers");
        assert.deepEqual(await page.$$eval("[hidden]", (all) => all.filter((e) => getComputedStyle(e).display !== "none")
            .map((e) => e.id)), [], "what is hidden is not shown");
        await accessible("loaded");

        // "2x1": the request for a solution takes the x, then 1 draws one, as at a console.
        await type("2x1");
        await expectTerminal(expectedTerminal(["2x1\n"]));
        const random = Number(/funcao objetivo = +(-?\d+)/.exec(await terminal())[1]);
        await page.waitForFunction((f) => document.getElementById("result").textContent.includes(`Objetivo: ${f}.`),
            {}, random);
        assert.match(await text("#announce"), new RegExp(`Solução aleatória terminou: objetivo ${random}, peso \\d+`));
        const taken = await page.$$eval("#result tbody tr", (rows) => rows.length);
        assert.match(await text("#result caption"), new RegExp(`^Itens na mochila \\(${taken} de 50;`));
        // Ctrl-D hands the program "2" without a line break, as a console does; Enter its break.
        await page.click("#terminal");
        await page.keyboard.type("2");
        await page.keyboard.down("Control");
        await page.keyboard.press("KeyD");
        await page.keyboard.up("Control");
        await waitState("waiting");
        assert.ok(!(await terminal()).includes("Metodo da descida"), "Ctrl-D sent the line without its break");
        await page.keyboard.press("Enter");
        const beforeVns = expectedTerminal(["2x1\n", "2\n"]);
        await expectTerminal(beforeVns);
        const vnd = objectiveAfter(beforeVns, "Melhor solucao encontrada pelo VND:");
        await page.waitForFunction((f) => document.getElementById("announce").textContent.startsWith(
            `VND terminou: objetivo ${f},`), {}, vnd);
        // A wait for an earlier line is not a wait for the last one sent.
        assert.equal(await page.evaluate(() => {
            const p = window.knapsack.page;
            p.setState("busy");
            p.receive({ type: "waiting", received: p.sent - 1 });
            const state = document.body.dataset.state;
            p.setState("waiting");
            return state;
        }), "busy");

        // 9, Backspace, an arrow, 3: the line the program receives is "3". In
        // Chromium the CPU runs four times slower, as on a modest phone.
        if (chromium) {
            await page.emulateCPUThrottling(4);
        }
        const searchStart = await page.evaluate(() => {
            window.finishedAt = null;
            const events = window.knapsack.page;
            const follow = events.searchEvent.bind(events);
            events.searchEvent = (event) => {
                if (event.kind === "finished") {
                    window.finishedAt = performance.now();
                }
                follow(event);
            };
            return performance.now();
        });
        await page.click("#terminal");
        await page.keyboard.type("9");
        await page.keyboard.press("Backspace");
        await page.keyboard.press("ArrowLeft"); // an escape sequence, which types nothing
        await page.keyboard.type("3");
        await page.keyboard.press("Enter");
        await page.waitForSelector("#search:not([hidden])");
        await page.waitForFunction(() => /ciclos: [1-9]/.test(document.getElementById("progress").textContent));
        assert.equal(await page.$eval('[data-choice="3"]', (b) => b.getAttribute("aria-disabled")), "true");
        await page.click('[data-choice="3"]');
        assert.match(await text("#state"), /ainda calcula/, "no search queued behind this one");
        await accessible("during a VNS");
        await page.click("#terminal");
        await page.keyboard.type("12"); // typed ahead, shown after the final block
        await page.waitForFunction(() => window.finishedAt !== null, { timeout: 40000 });
        await page.waitForFunction((title) => {
            const shown = window.knapsack.terminalText();
            return shown.includes(title) && shown.trimEnd().endsWith("Escolha: 12") &&
                window.knapsack.page.terminal.settled();
        }, { timeout: 20000, polling: 20 }, VNS_TITLE);
        report.endLateMs = await page.evaluate(() => performance.now() - window.finishedAt);
        if (chromium) {
            await page.emulateCPUThrottling(1);
        }
        assert.ok(report.endLateMs < 1000, `the final block and the menu came ${report.endLateMs} ms after the end`);
        const afterVns = await terminal();
        const held = await page.evaluate(() => {
            const t = window.knapsack.page.terminal.term;
            return { length: t.buffer.active.length, full: t.options.scrollback + t.rows };
        });
        assert.equal(held.length, held.full, "the terminal is as full as one that had every byte");
        const vns = objectiveAfter(afterVns, VNS_TITLE);
        assert.ok(vns >= vnd, `VNS ${vns} keeps at least the VND's ${vnd}`);
        const progress = await text("#progress");
        report.cycles = Number(/ciclos: (\d+)/.exec(progress)[1]);
        assert.match(progress, new RegExp(`melhor objetivo: ${vns} `));
        const caption = await text("#chart-caption");
        assert.match(caption, new RegExp(`ótimo exato: ${SHIPPED_OPTIMUM}`));
        const gap = ((100 * (SHIPPED_OPTIMUM - vns)) / SHIPPED_OPTIMUM).toFixed(2);
        assert.match(caption, new RegExp(`distância ao ótimo: ${gap} %`));
        const weight = /Peso da mochila: (\d+)/.exec(afterVns.slice(afterVns.lastIndexOf(VNS_TITLE)))[1];
        assert.match(await text("#announce"), new RegExp(`VNS \\(20 segundos\\) terminou: objetivo ${vns}, peso ${weight},`));
        if (chromium) {
            // A screen reader's view: the result, in page text.
            const tree = JSON.stringify(await page.accessibility.snapshot({ interestingOnly: false }));
            assert.ok(tree.includes(`Objetivo: ${vns}. Peso da mochila: ${weight}.`), "the VNS result is in the accessibility tree");
            const longTasks = await page.evaluate((t) => window.longTasks.filter((task) => task.start >= t), searchStart);
            report.longestTaskMs = Math.max(0, ...longTasks.map((task) => task.duration));
            assert.deepEqual(longTasks.filter((task) => task.duration > LONG_TASK_MS), [], "no long task over 200 ms");
            const shot = join(repo, "build/web/page_after_vns.png");
            await page.screenshot({ path: shot, fullPage: true });
            if (process.env.KNAPSACK_UPDATE_SCREENSHOT === "1") {
                copyFileSync(shot, join(repo, "docs/web_page.png"));
            }
        }

        // Keep the results: the terminal's text, the chart and the progress.
        await page.evaluate(() => window.saved.splice(0));
        await page.click("#save-terminal");
        await page.click("#save-chart");
        await page.click("#save-progress");
        await page.waitForFunction(() => window.saved.length === 3);
        const saved = await page.evaluate(() => Promise.all(window.saved.map(async (blob) =>
            ({ type: blob.type, text: await blob.text(), head: [...new Uint8Array(await blob.slice(0, 4).arrayBuffer())] }))));
        assert.equal(saved[0].text, `${afterVns}\n`, "the terminal's text, everything it holds");
        assert.deepEqual(saved[1].head, [0x89, 0x50, 0x4e, 0x47], "the chart as a PNG image");
        assert.match(saved[2].text, /^evento,segundos,ciclos,melhor_objetivo\nstarted,0,0,/);
        assert.match(saved[2].text, new RegExp(`\nfinished,[\\d.]+,${report.cycles},${vns}\n$`));

        // A small experiment: the table names the optimum, the plots are an
        // SVG image that parses, the CSV has a row per run and method.
        await page.$eval("#experiment-runs", (e) => { e.value = "4"; });
        await page.$eval("#experiment-seconds", (e) => { e.value = "0.1"; });
        const experimentStart = await page.evaluate(() => performance.now());
        await page.click("#experiment-start");
        await page.waitForFunction(() => /concluído/.test(document.getElementById("experiment-status").textContent) &&
            document.getElementById("experiment-table").rows.length === 4, { timeout: 30000 });
        assert.equal(await text("#experiment-optimum"), `Ótimo exato da instância: ${SHIPPED_OPTIMUM}.`);
        const rows = await page.$$eval("#experiment-table tbody tr", (trs) => trs.map((tr) => tr.innerText.split("\t")));
        assert.deepEqual(rows.map((row) => [row[0], row[7]]), [["random", rows[0][7]], ["VND", rows[1][7]], ["VNS", rows[2][7]]]);
        assert.ok(rows.every((row) => / de 4$/.test(row[7])), "every method over the 4 runs");
        const plots = await page.$eval("#experiment-plots", async (img) => {
            const svg = new DOMParser().parseFromString(await (await fetch(img.src)).text(), "image/svg+xml");
            return svg.documentElement.nodeName + (svg.querySelector("parsererror") ? " broken" : "");
        });
        assert.equal(plots, "svg", "the plots parse as SVG");
        await page.evaluate(() => window.saved.splice(0));
        await page.click("#experiment-csv");
        await page.waitForFunction(() => window.saved.length === 1);
        const experimentCsv = await page.evaluate(() => window.saved[0].text());
        assert.equal(experimentCsv.trim().split("\n").length, 1 + 4 * 3);
        const seeds = experimentCsv.trim().split("\n").slice(1).map((row) => row.split(",")[3]);
        assert.equal(new Set(seeds).size, 4, "each run its own seed");
        if (chromium) {
            const tasks = await page.evaluate((t) => window.longTasks.filter((task) => task.start >= t), experimentStart);
            assert.deepEqual(tasks.filter((task) => task.duration > LONG_TASK_MS), [], "no long task during the experiment");
        }
        await accessible("an experiment shown");
        assert.equal(await page.evaluate(() => {
            const e = window.knapsack.page.experiments;
            const before = { reporter: e.reporter, reporting: e.reporting, stale: e.stale };
            const told = [];
            const show = e.show;
            e.show = () => {};
            e.reporter = { postMessage() { told.push("report"); }, terminate() { told.push("terminate"); } };
            e.reporting = true; // a report is being made
            e.report(); // and a record comes
            e.reported({ type: "report" }); // the first: the second is asked for
            e.reported({ type: "report" }); // the second: nothing new, the reporter goes
            e.show = show;
            Object.assign(e, before);
            return told.join();
        }), "report,terminate", "a record that comes while a report is made asks for one more");

        // With two workers, no run beyond those asked for.
        await page.evaluate(() => {
            const e = window.knapsack.page.experiments;
            e.constructor.workerCount = () => 2;
            window.runsAsked = 0;
            const post = Worker.prototype.postMessage;
            Worker.prototype.postMessage = function (message, ...rest) {
                window.runsAsked += message?.type === "run" ? 1 : 0;
                return post.call(this, message, ...rest);
            };
        });
        await page.$eval("#experiment-runs", (e) => { e.value = "2"; });
        await page.$eval("#experiment-seconds", (e) => { e.value = "0.05"; });
        await page.click("#experiment-start");
        await page.waitForFunction(() => /concluído: 2/.test(document.getElementById("experiment-status").textContent),
            { timeout: 30000 });
        assert.equal(await page.evaluate(() => window.runsAsked), 2, "two runs asked of two workers");

        // "Parar" ends a search as Ctrl-C does; then typing and the buttons say so.
        await page.click('[data-choice="3"]');
        await page.waitForFunction(() => /ciclos: [1-9]/.test(document.getElementById("progress-announce").textContent),
            {}, "a second search is announced too");
        await page.click("#stop");
        await waitState("ended");
        assert.match(await text("#state"), /interrompido/);
        assert.equal(await page.evaluate(() => document.activeElement.id), "restart", "the focus goes to the next run");
        await page.click("#terminal"); // Ctrl-C after the stop says that the program ended
        await page.keyboard.down("Control");
        await page.keyboard.press("KeyC");
        await page.keyboard.up("Control");
        assert.match(await text("#state"), /já terminou/);
        await type("1");
        assert.match(await text("#state"), /já terminou/);
        assert.ok(!(await terminal()).endsWith("1"), "nothing is typed after the end");

        // A restart during a search: nothing of the replaced run shows after the click.
        await page.click("#restart");
        await waitFor("Escolha:");
        await type("1");
        await waitFor("Solucao aleatoria:");
        await type("3");
        await page.waitForFunction(() => /ciclos: [1-9]/.test(document.getElementById("progress").textContent));
        await page.waitForFunction(() => /ciclos/.test(document.getElementById("progress-announce").textContent),
            { timeout: 5000 });
        await page.click("#run-instance");
        const seen = await page.evaluate(() => new Promise((done) => {
            const shown = [];
            const look = () => shown.push(window.knapsack.terminalText());
            const timer = setInterval(look, 10);
            setTimeout(() => (clearInterval(timer), done(shown)), 1500);
            look();
        }));
        assert.ok(seen.every((shown) => !shown.includes("Solucao aleatoria")), "nothing of the old run");
        await waitFor("Escolha:");
        await page.click('[data-choice="0"]');
        await waitState("ended");
        assert.match(await text("#state"), /código de saída 0/);
        await page.click('[data-choice="1"]');
        assert.match(await text("#state"), /já terminou/);
        assert.match(await text("#announce"), /já terminou/, "said again in the new run");
        await accessible("ended");

        // A refused instance is marked at the file and value it names; a short file is hinted.
        await page.$eval("#file-0", (area) => {
            area.value = "1 2\n3 x4 5\n";
            area.dispatchEvent(new Event("input"));
        });
        await page.$eval("#file-1", (area) => {
            area.value = "7 8 9";
            area.dispatchEvent(new Event("input"));
        });
        assert.match(await text("#file-1-note"), /^3 números: os itens 3 a 49 valem 0/);
        await page.click("#run-instance");
        await waitState("ended");
        assert.equal(await page.$eval("#file-0", (e) => e.getAttribute("aria-invalid")), "true");
        const note = await text("#file-0-note");
        assert.match(note, /O Arquivo peso50\.txt contem um valor que nao e um numero inteiro\. Linha 2: 3 x4 5/);
        assert.equal(await page.$eval("#file-0-note mark", (e) => e.textContent), "x4");
        assert.match(await text("#state"), /código de saída 1/);
        assert.ok(!(await terminal()).includes("Escolha:"), "no menu after a bad instance");
        await accessible("an instance refused");

        // Edits survive a reload; "Restaurar" clears them.
        await page.reload();
        await waitFor("O Arquivo peso50.txt");
        assert.equal(await page.$eval("#file-0", (e) => e.value), "1 2\n3 x4 5\n");
        await page.click("#restore-instance");
        await page.reload();
        await waitFor("Escolha:");
        assert.equal(await page.$eval("#file-1", (e) => e.value), await readFile(join(repo, "data/beneficio50.txt"), "utf8"));

        // A file chosen and a restart at once: the run reads the chosen file.
        // A file made on Windows: the value at fault marked where it stands.
        const chosen = join(mkdtempSync(join(tmpdir(), "knapsack-page-")), "limite50.txt");
        writeFileSync(chosen, "1\r\n1 -1\r\n");
        const picker = await page.$("#pick-2");
        await picker.uploadFile(chosen);
        await page.click("#run-instance");
        await waitFor("O Arquivo limite50.txt contem um numero negativo.");
        await page.waitForSelector("#file-2-note mark");
        assert.match(await text("#file-2-note"), /Linha 2: 1 -1$/);
        assert.equal(await page.$eval("#file-2-note mark", (e) => e.textContent), "-1");
        await page.$eval("#file-2", (area) => { // an edit replaces the chosen file
            area.value = "1 1 1\n";
            area.dispatchEvent(new Event("input"));
        });
        await page.click("#run-instance");
        await waitFor("Escolha:");
        assert.ok(!(await terminal()).includes("numero negativo"), "the edited list, not the chosen file");
        await page.click('[data-choice="0"]');
        await waitState("ended");
        await page.$eval("#file-2", (area) => { // a refusal with no value to point at
            area.value = "2147483647\n";
            area.dispatchEvent(new Event("input"));
        });
        await page.click("#run-instance");
        await waitFor("leva as somas da instancia para fora do intervalo de 32 bits.");
        await page.waitForSelector('#file-2[aria-invalid="true"]');
        assert.doesNotMatch(await text("#file-2-note"), /Linha/);
        assert.equal(await page.$("#file-2-note mark"), null);
        await page.click("#restore-instance");

        // A phone: every control a finger can hit, nothing wider than the
        // screen, and the progress of a search in view.
        await page.setViewport({ width: 390, height: 844, isMobile: chromium, hasTouch: chromium });
        await page.click("#run-instance");
        await waitFor("Escolha:");
        const small = await page.evaluate(() => [...document.querySelectorAll("button, .toggle, textarea:not(.xterm-helper-textarea)")]
            .filter((e) => e.offsetParent !== null)
            .map((e) => ({ what: e.id || e.textContent.trim(), box: e.getBoundingClientRect() }))
            .filter(({ box }) => box.width < 44 || box.height < 44)
            .map(({ what, box }) => `${what}: ${box.width} x ${box.height}`));
        assert.deepEqual(small, [], "controls of at least 44 x 44 px");
        assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 390), "nothing wider than the phone");
        await page.click('[data-choice="1"]');
        await waitFor("Solucao aleatoria:");
        await page.click('[data-choice="3"]');
        await page.waitForFunction(() => /ciclos: [1-9]/.test(document.getElementById("progress").textContent));
        const progressBox = await page.$eval("#progress", (e) => e.getBoundingClientRect().toJSON());
        assert.ok(progressBox.top >= 0 && progressBox.bottom <= 844, "the progress line is in view");
        await page.click("#stop");
        await waitState("ended");
        await page.setViewport({ width: 1280, height: 1000 });

        // Once visited, the page runs a new program with its server gone.
        await page.evaluate(() => navigator.serviceWorker.ready);
        await page.reload();
        await waitFor("Escolha:");
        assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null), "the service worker serves the page");
        server.closeAllConnections();
        await new Promise((closed) => {
            server.close(closed);
        });
        await page.reload();
        await waitFor("Escolha:");
        await type("1");
        await waitFor("Solucao aleatoria:");
        assert.deepEqual(errors, [], "no error on the page");
    } finally {
        await browser.close();
        server.close();
    }
    return report;
}

// The input queue hands a chunk of exactly the size asked for whole, and
// what follows it next: an empty chunk would read as the end of the input.
{
    const { InputQueue } = await import(join(repo, "web/site/input_queue.js"));
    const queue = new InputQueue();
    queue.push(new Uint8Array([49, 50, 51]));
    queue.push(new Uint8Array([10]));
    assert.deepEqual([...await queue.next(2)], [49, 50]);
    assert.deepEqual([...await queue.next(1)], [51]);
    assert.deepEqual([...await queue.next(1)], [10]);
    queue.end();
    assert.equal((await queue.next(1)).length, 0);
}

const names = process.argv.length > 2 ? process.argv.slice(2) : Object.keys(BROWSERS);
let failed = false;
for (const name of names) {
    try {
        const report = await checkPage(name);
        console.log(`page test passed in ${name}: VNS ${report.cycles} cycles (${(report.cycles / 20 / 1e6).toFixed(2)} M/s` +
            `${name === "chromium" ? ", CPU slowed four times" : ""}), final block and menu ${report.endLateMs.toFixed(0)} ms ` +
            `after the search ended${report.longestTaskMs === undefined ? "" : `, longest task ${report.longestTaskMs.toFixed(0)} ms`}`);
    } catch (error) {
        failed = true;
        console.error(`page test failed in ${name}:`, error);
    }
}
process.exit(failed ? 1 : 0);
