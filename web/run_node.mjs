// Runs the browser build as a console program under node: it reads the three
// instance files of the working directory and standard input, writes every
// byte of its output to standard output, and exits with the program's status.
// The build copies it next to the site folder; the tests run the golden
// transcripts through it, as they run the Windows build under Wine.
//   node --no-experimental-fetch build/web/run_node.mjs [--as-page=LINES]
// With --as-page the program keeps its output as it does for the page, whose
// terminal holds LINES lines, and what that terminal would hold at the end is
// written instead.
import { readFileSync, statSync, writeSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
// The loader's node code expects CommonJS names, which an ES module lacks.
globalThis.require = createRequire(import.meta.url);
globalThis.__dirname = join(here, "site");
const { default: createKnapsack } = await import(pathToFileURL(join(here, "site", "knapsack.js")));
const { InputQueue } = await import(pathToFileURL(join(here, "site", "input_queue.js")));

const asPage = process.argv.find((arg) => arg.startsWith("--as-page="));
const pageLines = asPage ? Number(asPage.slice("--as-page=".length)) : 0;

// Standard output may be a non-blocking pipe: when it is full, wait a
// millisecond for its reader rather than spin.
const pause = new Int32Array(new SharedArrayBuffer(4));
/** @param {Uint8Array} bytes */
function writeAll(bytes) {
    for (let at = 0; at < bytes.length; ) {
        try {
            at += writeSync(1, bytes, at, bytes.length - at);
        } catch (error) {
            if (/** @type {NodeJS.ErrnoException} */ (error).code !== "EAGAIN") {
                throw error;
            }
            Atomics.wait(pause, 0, 0, 1);
        }
    }
}

// What the page's terminal would hold: what it was handed since the last
// restart, of which it keeps the last `pageLines` lines.
/** @type {Uint8Array[]} */
let held = [];
/** @param {Uint8Array} bytes @param {boolean} restart */
function showOutput(bytes, restart) {
    if (!asPage) {
        writeAll(bytes);
        return;
    }
    if (restart) {
        held = [];
    }
    held.push(bytes);
}
function writeHeld() {
    const lines = Buffer.concat(held).toString("latin1").split("\n");
    writeAll(Buffer.from(lines.slice(-pageLines).join("\n"), "latin1"));
}

const input = new InputQueue();
process.stdin.on("data", (chunk) => input.push(new Uint8Array(chunk)));
process.stdin.on("end", () => input.end());

// The instance files as the working directory holds them: a missing or
// unreadable one stays missing, a directory stays a directory.
/** @param {{mkdir(path: string): void, writeFile(path: string, data: Uint8Array): void}} FS */
function copyInstance(FS) {
    for (const name of ["peso50.txt", "beneficio50.txt", "limite50.txt"]) {
        try {
            if (statSync(name).isDirectory()) {
                FS.mkdir(name);
            } else {
                FS.writeFile(name, readFileSync(name));
            }
        } catch {
            // Not there to be read: the program says so.
        }
    }
}

await createKnapsack({
    wasmBinary: readFileSync(join(here, "site", "knapsack.wasm")),
    preRun: [(/** @type {{FS: any}} */ Module) => copyInstance(Module.FS)],
    everyByte: !asPage,
    terminalLines: pageLines,
    showOutput,
    nextInput: (/** @type {number} */ size) => input.next(size),
    searchEvent: () => {},
    instanceLoaded: () => {},
    instanceRefused: () => {},
    solutionFound: () => {},
    finished: (/** @type {number} */ status) => {
        if (asPage) {
            writeHeld();
        }
        process.exit(status);
    },
    print: () => {},
    printErr: (/** @type {string} */ text) => process.stderr.write(`${text}\n`),
});
