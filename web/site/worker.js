// One run of the program, in a Web Worker so that the page never waits on it.
// The page builds this worker from the program's loader (knapsack.js) and
// input_queue.js followed by this file, so createKnapsack and InputQueue are
// in scope and a new run needs nothing from the network. Messages from the
// page: {type: "start", wasm, files, terminalLines} once, then {type: "input",
// bytes} for every line typed and {type: "end"} for the end of the input. To
// the page: output, waiting (for input), search, loaded, refused, found and
// exit messages.

const input = new InputQueue(); // from input_queue.js, which the page puts before this
let received = 0; // input messages from the page, so that it knows what a wait follows
const workerScope = /** @type {WorkerScope} */ (/** @type {unknown} */ (self));

/**
 * @param {object} message
 * @param {Transferable[]} [transfer]
 */
function post(message, transfer = []) {
    workerScope.postMessage(message, transfer);
}

/** @param {{wasm: WebAssembly.Module, files: Record<string, Uint8Array>, terminalLines: number}} start */
async function run({ wasm, files, terminalLines }) {
    await createKnapsack({
        // The program comes compiled from the page; the loader is not to look for it.
        locateFile: (path) => path,
        instantiateWasm(imports, done) {
            WebAssembly.instantiate(wasm, imports).then(
                (instance) => done(instance, wasm),
                (error) => post({ type: "exit", status: null, why: String(error) }));
            return {};
        },
        preRun: [
            (Module) => {
                for (const [name, bytes] of Object.entries(files)) {
                    Module.FS.writeFile(name, bytes);
                }
            },
        ],
        everyByte: false,
        terminalLines,
        showOutput: (bytes, restart) => post({ type: "output", bytes, restart }, [bytes.buffer]),
        nextInput: (size) => {
            if (input.empty()) {
                post({ type: "waiting", received });
            }
            return input.next(size);
        },
        searchEvent: (event) => post({ type: "search", ...event }),
        instanceLoaded: (optimum) => post({ type: "loaded", optimum }),
        instanceRefused: (refusal) => post({ type: "refused", ...refusal }),
        solutionFound: (found) => post({ type: "found", ...found }),
        finished: (status) => post({ type: "exit", status }),
        onAbort: (what) => post({ type: "exit", status: null, why: String(what) }),
        print: () => {},
        printErr: () => {},
    });
}

workerScope.onmessage = (/** @type {MessageEvent} */ { data }) => {
    if (data.type === "start") {
        run(data).catch((error) => post({ type: "exit", status: null, why: String(error) }));
    } else if (data.type === "input") {
        ++received;
        input.push(data.bytes);
    } else if (data.type === "end") {
        ++received;
        input.end();
    }
};
