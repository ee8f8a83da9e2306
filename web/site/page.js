// The page: the program's terminal, the buttons that type its choices and the
// one that stops it, what each method found as text, the progress and chart
// of a VNS, and the instance the program reads. Every run of the program is a
// Web Worker of its own, built from files loaded once, so a new run needs
// nothing from the network; the service worker (sw.js) keeps the files for
// the visits after this one.
import { SearchChart } from "./chart.js";
import { saveBlob, saveText } from "./downloads.js";
import { ExperimentPanel } from "./experiments.js";
import { FILE_NAMES, InstanceEditor } from "./instance.js";
import { ResultsView } from "./results.js";
import { LineTerminal } from "./terminal.js";

/**
 * @template {HTMLElement} T
 * @param {string} id
 * @param {new () => T} type
 * @returns {T}
 */
function element(id, type) {
    const found = document.getElementById(id);
    if (!(found instanceof type)) {
        throw new Error(`#${id} is missing`);
    }
    return found;
}
/** @param {string} id */
const $ = (id) => element(id, HTMLElement);
/** @param {string} id */
const button = (id) => element(id, HTMLButtonElement);

/** @param {string} url */
async function fetched(url) {
    const response = await fetch(url);
    if (!response.ok) {
        throw new Error(`${url}: ${response.status}`);
    }
    return response;
}

/**
 * @typedef {object} Program
 * @property {string} url the program's worker, as a script URL
 * @property {string} experimentUrl the experiments' worker
 * @property {WebAssembly.Module} wasm
 */

/** @returns {Promise<Program>} */
async function loadProgram() {
    /** @param {string} url */
    const text = async (url) => (await fetched(url)).text();
    const compile = async () => {
        try {
            return await WebAssembly.compileStreaming(fetched("knapsack.wasm"));
        } catch {
            // A server that does not send the wasm type: compile from the bytes.
            return WebAssembly.compile(await (await fetched("knapsack.wasm")).arrayBuffer());
        }
    };
    const [loader, queue, body, experiment, wasm] = await Promise.all([
        text("knapsack.js"), text("input_queue.js"), text("worker.js"), text("experiment_worker.js"), compile()]);
    /** @param {string[]} parts */
    const script = (parts) => URL.createObjectURL(new Blob(parts, { type: "text/javascript" }));
    return { url: script([loader, "\n", queue, "\n", body]), experimentUrl: script([loader, "\n", experiment]), wasm };
}

const STATUS = {
    busy: "Programa em execução.",
    queued: "O programa ainda calcula: a próxima escolha vem quando ele esperar por ela.",
    waiting: "O programa espera uma escolha.",
    ended: "O programa já terminou: “Executar de novo” começa outra execução.",
};

class Page {
    /** @param {Program} program */
    constructor(program) {
        this.program = program;
        /** @type {Worker | null} */
        this.worker = null;
        this.sent = 0; // input messages sent to this run's worker
        this.toldEnded = false;
        this.terminal = new LineTerminal($("terminal"), {
            onLine: (line) => this.send({ type: "input", bytes: new TextEncoder().encode(line) }),
            onEnd: () => this.send({ type: "end" }),
            onInterrupt: () => this.stop(),
            onRefused: () => this.sayEnded(),
        });
        this.chart = new SearchChart(element("chart", HTMLCanvasElement), $("chart-caption"));
        this.results = new ResultsView($("result"), $("announce"), $("progress-announce"));
        this.instance = new InstanceEditor(Object.fromEntries(FILE_NAMES.map((name, k) => [name, {
            text: element(`file-${k}`, HTMLTextAreaElement),
            file: element(`pick-${k}`, HTMLInputElement),
            note: $(`file-${k}-note`),
        }])));
        // A choice button types its digit as the whole line, and leaves the
        // focus where it is (on a phone, no keyboard pops up).
        // While the program computes, a choice would only queue behind it:
        // the button says so instead, and keeps the focus.
        for (const choice of document.querySelectorAll("[data-choice]")) {
            choice.addEventListener("click", () => {
                if (this.worker === null) {
                    this.sayEnded();
                } else if (document.body.dataset.state === "busy") {
                    $("state").textContent = STATUS.queued;
                } else {
                    this.terminal.enter(/** @type {HTMLElement} */ (choice).dataset.choice ?? "");
                }
            });
        }
        for (const pick of document.querySelectorAll("[data-pick]")) {
            pick.addEventListener("click", () => $(/** @type {HTMLElement} */ (pick).dataset.pick ?? "").click());
        }
        button("stop").addEventListener("click", () => this.stop());
        button("restart").addEventListener("click", () => void this.start());
        button("run-instance").addEventListener("click", () => void this.start());
        button("restore-instance").addEventListener("click", () => this.instance.restoreShipped());
        button("save-terminal").addEventListener("click", () => saveText("terminal.txt", this.terminal.text() + "\n"));
        button("save-chart").addEventListener("click", () => void this.chart.image().then((png) => saveBlob("vns.png", png)));
        button("save-progress").addEventListener("click", () => saveText("progresso_vns.csv", this.chart.csv(), "text/csv"));
        this.experiments = new ExperimentPanel(program.experimentUrl, program.wasm, () => this.instance.files(), {
            runs: element("experiment-runs", HTMLInputElement),
            seconds: element("experiment-seconds", HTMLInputElement),
            start: button("experiment-start"),
            stop: button("experiment-stop"),
            csv: button("experiment-csv"),
            status: $("experiment-status"),
            announce: $("experiment-announce"),
            optimum: $("experiment-optimum"),
            table: element("experiment-table", HTMLTableElement),
            plots: element("experiment-plots", HTMLImageElement),
        });
        const reader = element("screen-reader", HTMLInputElement);
        reader.addEventListener("change", () => this.terminal.setScreenReaderMode(reader.checked));
    }

    /** @param {{type: string, bytes?: Uint8Array}} message */
    send(message) {
        if (this.worker === null) {
            this.sayEnded();
            return;
        }
        this.worker.postMessage(message);
        ++this.sent;
        this.setState("busy");
    }

    // A new run of the program on the instance the page holds. The old run
    // goes at once, with everything it still had on its way to the terminal.
    async start() {
        this.worker?.terminate();
        this.terminal.open();
        this.terminal.accepting = true;
        this.chart.reset();
        this.results.reset();
        $("search").hidden = true;
        $("progress").textContent = "";
        delete document.body.dataset.searching;
        this.sent = 0;
        this.toldEnded = false;
        this.setState("busy");
        const worker = new Worker(this.program.url, { type: "module" });
        this.worker = worker;
        // What a run that was replaced still had on its way is dropped.
        worker.onmessage = ({ data }) => {
            if (this.worker === worker) {
                this.receive(data);
            }
        };
        worker.onerror = (event) => {
            // Reported here rather than on the console; a run that has
            // already ended has nothing to add.
            event.preventDefault();
            if (this.worker === worker) {
                this.ended(null, event.message);
            }
        };
        this.terminal.focus();
        // A file chosen just before is read first. Lines typed meanwhile wait
        // in the worker's input.
        try {
            const files = await this.instance.files();
            if (this.worker === worker) {
                worker.postMessage({ type: "start", wasm: this.program.wasm, files, terminalLines: this.terminal.capacity() });
            }
        } catch (error) {
            if (this.worker === worker) {
                this.ended(null, `um arquivo escolhido não pôde ser lido (${error instanceof Error ? error.message : error})`);
            }
        }
    }

    /** @param {any} message */
    receive(message) {
        switch (message.type) {
            case "output":
                this.terminal.write(message.bytes, message.restart);
                break;
            case "waiting":
                if (message.received === this.sent) {
                    this.setState("waiting");
                }
                break;
            case "search":
                this.searchEvent(message);
                break;
            case "loaded":
                this.chart.setOptimum(message.optimum);
                break;
            case "refused":
                this.instance.refused(message);
                break;
            case "found":
                this.results.show(message);
                break;
            case "exit":
                this.ended(message.status, message.why);
                break;
        }
    }

    /** @param {import("./chart.js").SearchEvent} event */
    searchEvent(event) {
        this.chart.follow(event);
        if (event.kind === "started") {
            $("search").hidden = false;
            document.body.dataset.searching = "";
            this.results.searchStarted();
        }
        const finished = event.kind === "finished";
        const text = finished ? `${event.text} | fim da busca` : event.text;
        $("progress").textContent = text;
        this.results.progressed(text, finished ? Infinity : event.seconds);
        if (finished) {
            delete document.body.dataset.searching;
        }
    }

    // Ctrl-C: the run ends at once, as the console program does.
    stop() {
        if (this.worker === null) {
            this.sayEnded();
            return;
        }
        this.worker.terminate();
        this.worker = null;
        this.terminal.accepting = false;
        this.terminal.echo("^C");
        this.terminal.note("Programa interrompido (Ctrl-C).");
        delete document.body.dataset.searching;
        this.setState("ended", "O programa foi interrompido. “Executar de novo” começa outra execução.");
        this.results.say("Programa interrompido.");
    }

    /**
     * @param {number | null} status
     * @param {string} [why]
     */
    ended(status, why) {
        if (this.worker === null) {
            return;
        }
        this.worker.terminate();
        this.worker = null;
        this.terminal.accepting = false;
        delete document.body.dataset.searching;
        const how = status === null ? `O programa parou: ${why}`
            : status === 0 ? "O programa terminou (código de saída 0)."
                : `O programa terminou com erro (código de saída ${status}).`;
        this.terminal.note(how);
        this.setState("ended", how);
        this.results.say(how);
    }

    // Typing or a choice after the end: said once, not ignored.
    sayEnded() {
        $("state").textContent = STATUS.ended;
        if (!this.toldEnded) {
            this.toldEnded = true;
            this.terminal.note(STATUS.ended);
            this.results.say(STATUS.ended);
        }
    }

    /**
     * @param {"busy" | "waiting" | "ended"} state
     * @param {string} [text]
     */
    setState(state, text = STATUS[state]) {
        document.body.dataset.state = state;
        $("state").textContent = text;
        button("restart").hidden = state !== "ended";
        for (const choice of document.querySelectorAll("[data-choice]")) {
            choice.setAttribute("aria-disabled", String(state === "busy"));
        }
        // What had the focus may have gone with the run: the next one is a key away.
        if (state === "ended" && [button("stop"), document.body, null].includes(/** @type {any} */ (document.activeElement))) {
            button("restart").focus();
        }
    }
}

try {
    const page = new Page(await loadProgram());
    await page.instance.loadShipped("data");
    for (const control of document.querySelectorAll(".needs-program")) {
        /** @type {HTMLButtonElement} */ (control).disabled = false;
    }
    void page.start();
    // For tests and the curious: what the terminal holds, scrollback included.
    Object.assign(window, { knapsack: { terminalText: () => page.terminal.text(), page } });
    if ("serviceWorker" in navigator) {
        navigator.serviceWorker.register("sw.js").catch(() => {
            // Without it the page still works, only not offline.
        });
    }
} catch (error) {
    document.body.dataset.state = "ended";
    $("state").textContent = `O programa não pôde ser carregado: ${error instanceof Error ? error.message : error}`;
}
