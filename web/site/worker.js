// One run of the program, in a Web Worker so that the page never waits on it.
// The page builds this worker from the program's loader (knapsack.js) and
// input_queue.js followed by this file, so createKnapsack and InputQueue are
// in scope and a new run needs nothing from the network. Messages from the
// page: {type: "start", wasm, files} once, then {type: "input", bytes} for
// every line typed and {type: "end"} for the end of the input. To the page:
// output, search, optimum and exit messages.

const input = new InputQueue(); // from input_queue.js, which the page puts before this

function post(message, transfer = []) {
    self.postMessage(message, transfer);
}

async function start({ wasm, files }) {
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
        showOutput: (bytes, restart) => post({ type: "output", bytes, restart }, [bytes.buffer]),
        nextInput: (size) => input.next(size),
        searchEvent: (event) => post({ type: "search", ...event }),
        exactOptimum: (objective) => post({ type: "optimum", objective }),
        finished: (status) => post({ type: "exit", status }),
        onAbort: (what) => post({ type: "exit", status: null, why: String(what) }),
        print: () => {},
        printErr: () => {},
    });
}

self.onmessage = ({ data }) => {
    if (data.type === "start") {
        start(data).catch((error) => post({ type: "exit", status: null, why: String(error) }));
    } else if (data.type === "input") {
        input.push(data.bytes);
    } else if (data.type === "end") {
        input.end();
    }
};
