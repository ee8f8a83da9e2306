// One worker of the page's experiments (experiments.js): the program's loader
// (knapsack.js, which the page puts before this file) without its menu, and
// the experiments' entry points of web/experiment_bridge.cpp. Messages from
// the page: {type: "start", wasm, files} once, then {type: "run", run,
// seconds, seed} for each run it is to make, or {type: "report", records} for
// the table, the CSV and the plots of the records gathered so far. To the
// page: ready, record (a run's numbers), report and refused messages.

const experimentScope = /** @type {WorkerScope} */ (/** @type {unknown} */ (self));
/** @type {Promise<KnapsackInstance> | null} */
let program = null;

/**
 * @param {object} message
 * @param {Transferable[]} [transfer]
 */
function tell(message, transfer = []) {
    experimentScope.postMessage(message, transfer);
}

/** @param {{wasm: WebAssembly.Module, files: Record<string, Uint8Array>}} start */
function load({ wasm, files }) {
    return createKnapsack({
        noInitialRun: true,
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
        experimentRefused: (message) => tell({ type: "refused", message }),
        onAbort: (what) => tell({ type: "refused", message: String(what) }),
        experimentRecord: (numbers) => tell({ type: "record", numbers }, [numbers.buffer]),
        experimentReport: (report) => tell({ type: "report", ...report }),
        // The menu's calls, which nothing here makes.
        everyByte: false,
        terminalLines: 0,
        showOutput: () => {},
        nextInput: () => Promise.resolve(new Uint8Array(0)),
        searchEvent: () => {},
        instanceLoaded: () => {},
        instanceRefused: () => {},
        solutionFound: () => {},
        finished: () => {},
        print: () => {},
        printErr: () => {},
    });
}

experimentScope.onmessage = async (/** @type {MessageEvent} */ { data }) => {
    if (data.type === "start") {
        program = load(data);
        await program;
        tell({ type: "ready" });
        return;
    }
    const module = await program;
    if (module === null) {
        return;
    }
    if (data.type === "run") {
        module._experiment_run(data.run, data.seconds, data.seed);
    } else if (data.type === "report") {
        /** @type {Float64Array[]} */
        const records = data.records;
        const count = records.reduce((sum, record) => sum + record.length, 0);
        const at = module._malloc(Math.max(count, 1) * 8);
        if (at === 0) {
            tell({ type: "refused", message: "Falta memoria para alocar o vetor de ponteiros" });
            return;
        }
        let offset = at >> 3;
        for (const record of records) {
            module.HEAPF64.set(record, offset);
            offset += record.length;
        }
        module._experiment_report(at, count);
        module._free(at);
    }
};
