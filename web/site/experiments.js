// The page's experiments: many runs of a random start, VND and VNS on the
// instance the page holds, spread over Web Workers (as many as the device has
// cores, less one, at least one), each the same WebAssembly build; the
// runs' records go to one more worker, which makes the table, the CSV and the
// plots with knapsack-experiment's own C++ code, again after every run.
import { saveText } from "./downloads.js";

// The columns of knapsack-experiment's table, in the page's own words.
const COLUMNS = ["Método", "Melhor", "Mediana", "Média", "Pior", "Desvio padrão",
    "Gap médio (%)", "Atingiram o ótimo", "Segundos até o ótimo (mediana)", "Ciclos até o ótimo (mediana)"];

/**
 * @typedef {object} ExperimentElements
 * @property {HTMLInputElement} runs
 * @property {HTMLInputElement} seconds
 * @property {HTMLButtonElement} start
 * @property {HTMLButtonElement} stop
 * @property {HTMLButtonElement} csv
 * @property {HTMLElement} status
 * @property {HTMLElement} announce
 * @property {HTMLElement} optimum
 * @property {HTMLTableElement} table
 * @property {HTMLImageElement} plots
 */

/**
 * @typedef {object} Report
 * @property {number} optimum
 * @property {number} runs the records it was made of
 * @property {string} cells a line per method, tab-separated
 * @property {string} csv
 * @property {string} svg
 */

export class ExperimentPanel {
    /**
     * @param {string} workerUrl the experiment worker, as a script URL
     * @param {WebAssembly.Module} wasm
     * @param {() => Promise<Record<string, Uint8Array>>} files the instance to run on
     * @param {ExperimentElements} elements
     */
    constructor(workerUrl, wasm, files, elements) {
        this.workerUrl = workerUrl;
        this.wasm = wasm;
        this.files = files;
        this.elements = elements;
        /** @type {Worker[]} */
        this.runners = [];
        /** @type {Worker | null} */
        this.reporter = null;
        /** @type {Float64Array[]} */
        this.records = [];
        this.total = 0;
        this.next = 0;
        this.reporting = false;
        this.stale = false;
        this.csv = "";
        this.plotsUrl = "";
        this.started = 0;
        this.starting = 0; // the start under way, by its number; 0: none
        elements.start.addEventListener("click", () => void this.start());
        elements.stop.addEventListener("click", () => this.stop("Experimento interrompido"));
        elements.csv.addEventListener("click", () => saveText("experimento.csv", this.csv, "text/csv"));
    }

    // Workers for the runs: the cores but one for the page, at least one.
    static workerCount() {
        return Math.max(1, (navigator.hardwareConcurrency || 2) - 1);
    }

    async start() {
        const runs = Number(this.elements.runs.value);
        const seconds = Number(this.elements.seconds.value);
        if (!this.elements.runs.checkValidity() || !this.elements.seconds.checkValidity() ||
            !Number.isInteger(runs) || runs < 1 || !(seconds > 0)) {
            this.say("Escolha de 1 a 1000 execuções e de 0,05 a 60 segundos por execução.");
            return;
        }
        this.halt();
        const starting = ++this.started;
        this.starting = starting;
        this.records = [];
        this.total = runs;
        this.next = 0;
        this.csv = "";
        this.elements.csv.disabled = true;
        this.elements.start.disabled = true;
        this.elements.stop.disabled = false;
        this.say(`Execuções: 0 de ${runs}.`);
        this.announce(`Experimento iniciado: ${runs} execuções.`);
        /** @type {Record<string, Uint8Array>} */
        let files;
        try {
            files = await this.files();
        } catch (error) {
            this.finish(`Os arquivos não puderam ser lidos: ${error instanceof Error ? error.message : error}`);
            return;
        }
        if (this.starting !== starting) {
            return; // stopped, or started again, meanwhile
        }
        const seed = 1000;
        const reporter = this.worker(files, (message) => {
            if (this.reporter === reporter) {
                this.reported(message);
            }
        });
        this.reporter = reporter;
        const count = Math.min(ExperimentPanel.workerCount(), runs);
        for (let k = 0; k < count; ++k) {
            const runner = this.worker(files, (message) => {
                if (!this.runners.includes(runner)) {
                    return; // a run of a stopped experiment
                }
                if (message.type === "record") {
                    this.recorded(message.numbers);
                }
                if ((message.type === "ready" || message.type === "record") && this.next < this.total &&
                    this.runners.includes(runner)) {
                    runner.postMessage({ type: "run", run: this.next++, seconds, seed });
                }
            });
            this.runners.push(runner);
        }
    }

    /**
     * @param {Record<string, Uint8Array>} files
     * @param {(message: any) => void} receive
     */
    worker(files, receive) {
        const worker = new Worker(this.workerUrl, { type: "module" });
        const current = () => this.reporter === worker || this.runners.includes(worker);
        worker.onmessage = ({ data }) => {
            if (data.type === "refused") {
                if (current()) {
                    this.stop(`O experimento parou: ${data.message.trim()}`);
                }
            } else {
                receive(data);
            }
        };
        worker.onerror = (event) => {
            event.preventDefault();
            if (current()) {
                this.stop(`O experimento parou: ${event.message}`);
            }
        };
        worker.postMessage({ type: "start", wasm: this.wasm, files });
        return worker;
    }

    /** @param {Float64Array} numbers */
    recorded(numbers) {
        this.records.push(numbers);
        const done = this.records.length;
        this.report(); // for the last, the reporter outlives the runners
        if (done === this.total) {
            this.finish(`Experimento concluído: ${done} execuções.`);
        } else {
            this.say(`Execuções: ${done} de ${this.total}.`);
        }
    }

    // The report of every record so far, one at a time: a run that ends
    // while one is being made asks for the next.
    report() {
        if (this.reporter === null || this.records.length === 0) {
            return;
        }
        if (this.reporting) {
            this.stale = true;
            return;
        }
        this.reporting = true;
        this.stale = false;
        this.reporter.postMessage({ type: "report", records: this.records.map((r) => r.slice()) });
    }

    /** @param {Report & {type: string}} report */
    reported(report) {
        if (report.type !== "report") {
            return;
        }
        this.reporting = false;
        this.show(report);
        if (this.stale) {
            this.report();
        } else if (this.starting === 0) {
            this.reporter?.terminate();
            this.reporter = null;
        }
    }

    /** @param {Report} report */
    show(report) {
        const { optimum, table, plots, csv } = this.elements;
        optimum.textContent = `Ótimo exato da instância: ${report.optimum}.`;
        const head = document.createElement("thead");
        const headings = head.insertRow();
        for (const title of COLUMNS) {
            const cell = document.createElement("th");
            cell.scope = "col";
            cell.textContent = title;
            headings.append(cell);
        }
        const body = document.createElement("tbody");
        for (const line of report.cells.trim().split("\n")) {
            const row = body.insertRow();
            line.split("\t").forEach((value, k) => {
                const cell = k === 0 ? document.createElement("th") : row.insertCell();
                if (k === 0) {
                    /** @type {HTMLTableCellElement} */ (cell).scope = "row";
                    row.append(cell);
                }
                cell.textContent = value;
            });
        }
        table.replaceChildren(table.createCaption(), head, body);
        /** @type {HTMLElement} */ (table.caption).textContent =
            `Resultados de ${report.runs} execuções, por método`;
        table.hidden = false;
        URL.revokeObjectURL(this.plotsUrl);
        this.plotsUrl = URL.createObjectURL(new Blob([report.svg], { type: "image/svg+xml" }));
        plots.src = this.plotsUrl;
        plots.hidden = false;
        this.csv = report.csv;
        csv.disabled = false;
    }

    /** @param {string} text */
    stop(text) {
        if (this.starting === 0) {
            return;
        }
        this.finish(`${text}: ${this.records.length} de ${this.total} execuções.`);
    }

    /** @param {string} text */
    finish(text) {
        this.starting = 0;
        for (const runner of this.runners) {
            runner.terminate();
        }
        this.runners = [];
        // A report on its way is still shown; then the reporter goes too.
        if (!this.reporting) {
            this.reporter?.terminate();
            this.reporter = null;
        }
        this.elements.start.disabled = false;
        this.elements.stop.disabled = true;
        this.say(text);
        this.announce(text);
    }

    // Every worker goes, the reporter included.
    halt() {
        this.finish("");
        this.reporter?.terminate();
        this.reporter = null;
        this.reporting = false;
    }

    /** @param {string} text the runs done, shown as they come */
    say(text) {
        this.elements.status.textContent = text;
    }

    /** @param {string} text said once, politely: an experiment's start or end */
    announce(text) {
        this.elements.announce.textContent = text;
    }
}
