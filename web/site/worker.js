// One run of the program, in a Web Worker so that the page never waits on it.
// The page builds this worker from the program's loader (knapsack.js) followed
// by this file, so createKnapsack is in scope and a new run needs nothing from
// the network. Messages from the page: {type: "start", wasm, files} once, then
// {type: "input", bytes} for every line typed and {type: "end"} for the end of
// the input. To the page: output, search, optimum and exit messages.

const typed = []; // chunks of input not read yet
let ended = false;
let wake = null; // resolves the program's wait for input

function post(message, transfer = []) {
    self.postMessage(message, transfer);
}

function nextInput(size) {
    const take = () => {
        if (typed.length === 0) {
            return new Uint8Array(0); // the end of the input
        }
        const chunk = typed[0];
        if (chunk.length <= size) {
            typed.shift();
            return chunk;
        }
        typed[0] = chunk.subarray(size);
        return chunk.subarray(0, size);
    };
    if (typed.length > 0 || ended) {
        return Promise.resolve(take());
    }
    return new Promise((resolve) => {
        wake = () => resolve(take());
    });
}

function receive(bytes) {
    typed.push(bytes);
    if (wake !== null) {
        const w = wake;
        wake = null;
        w();
    }
}

async function start({ wasm, files }) {
    await createKnapsack({
        // The program comes compiled from the page; the loader is not to look for it.
        locateFile: (path) => path,
        instantiateWasm(imports, done) {
            WebAssembly.instantiate(wasm, imports).then((instance) => done(instance, wasm));
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
        nextInput,
        searchEvent: (event) => post({ type: "search", ...event }),
        exactOptimum: (objective) => post({ type: "optimum", objective }),
        onExit: (status) => post({ type: "exit", status }),
        onAbort: (what) => post({ type: "exit", status: null, why: String(what) }),
        print: () => {},
        printErr: () => {},
    });
}

// The loader ends a run by throwing its ExitStatus once the exit message is
// out, from wherever the program was: an error, or a rejected promise when the
// program had waited for input.
self.addEventListener("error", (event) => {
    if (event.error?.name === "ExitStatus") {
        event.preventDefault();
    }
});
self.addEventListener("unhandledrejection", (event) => {
    if (event.reason?.name === "ExitStatus") {
        event.preventDefault();
    }
});

self.onmessage = ({ data }) => {
    if (data.type === "start") {
        start(data).catch((error) => post({ type: "exit", status: null, why: String(error) }));
    } else if (data.type === "input") {
        receive(data.bytes);
    } else if (data.type === "end") {
        ended = true;
        receive(new Uint8Array(0));
    }
};
