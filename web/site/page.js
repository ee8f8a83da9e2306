// The page: the program's terminal, the buttons that type its choices, the
// progress and chart of a VNS, and the instance the program reads. Every run
// of the program is a Web Worker of its own, built from files loaded once, so
// a new run needs nothing from the network.
import { SearchChart } from "./chart.js";
import { InstanceEditor, FILE_NAMES } from "./instance.js";
import { LineTerminal } from "./terminal.js";

const $ = (id) => document.getElementById(id);

async function fetched(url) {
    const response = await fetch(url);
    if (!response.ok) {
        throw new Error(`${url}: ${response.status}`);
    }
    return response;
}

async function loadProgram() {
    const text = async (url) => (await fetched(url)).text();
    const compile = async () => {
        try {
            return await WebAssembly.compileStreaming(fetched("knapsack.wasm"));
        } catch {
            // A server that does not send the wasm type: compile from the bytes.
            return WebAssembly.compile(await (await fetched("knapsack.wasm")).arrayBuffer());
        }
    };
    const [loader, queue, body, wasm] = await Promise.all([
        text("knapsack.js"), text("input_queue.js"), text("worker.js"), compile()]);
    const source = new Blob([loader, "\n", queue, "\n", body], { type: "text/javascript" });
    return { url: URL.createObjectURL(source), wasm };
}

class Page {
    constructor(program) {
        this.program = program;
        this.worker = null;
        this.terminal = new LineTerminal($("terminal"), {
            onLine: (line) => this.send({ type: "input", bytes: new TextEncoder().encode(line) }),
            onEnd: () => this.send({ type: "end" }),
        });
        this.chart = new SearchChart($("chart"), $("chart-caption"));
        this.instance = new InstanceEditor(
            Object.fromEntries(
                FILE_NAMES.map((name, k) => [name, { text: $(`file-${k}`), file: $(`pick-${k}`) }]),
            ),
        );
        // A choice button types its digit as the whole line, and leaves the
        // focus where it is (on a phone, no keyboard pops up).
        for (const button of document.querySelectorAll("[data-choice]")) {
            button.addEventListener("click", () => this.terminal.enter(button.dataset.choice));
        }
        for (const button of document.querySelectorAll("[data-pick]")) {
            button.addEventListener("click", () => $(button.dataset.pick).click());
        }
        $("restart").addEventListener("click", () => this.start());
        $("run-instance").addEventListener("click", () => this.start());
        $("restore-instance").addEventListener("click", () => this.instance.restoreShipped());
    }

    send(message) {
        if (this.worker !== null) {
            this.worker.postMessage(message);
        }
    }

    // A new run of the program on the instance the page holds.
    start() {
        if (this.worker !== null) {
            this.worker.terminate();
        }
        this.terminal.clear();
        this.terminal.accepting = true;
        this.chart.reset();
        $("search").hidden = true;
        this.setState("running", "Programa em execucao.");
        $("progress").textContent = "";
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
        this.worker.postMessage({ type: "start", wasm: this.program.wasm, files: this.instance.files() });
        this.terminal.focus();
    }

    receive(message) {
        switch (message.type) {
            case "output":
                this.terminal.write(message.bytes, message.restart);
                break;
            case "search":
                this.searchEvent(message);
                break;
            case "optimum":
                this.chart.setOptimum(message.objective);
                break;
            case "exit":
                this.ended(message.status, message.why);
                break;
        }
    }

    searchEvent(event) {
        if (event.kind === "started") {
            this.chart.started(event.budget, event.objective);
            $("search").hidden = false;
        } else if (event.kind === "improved") {
            this.chart.improved(event.seconds, event.objective);
        } else {
            this.chart.progressed(event.seconds);
        }
        $("progress").textContent = event.kind === "finished" ? `${event.text} | fim da busca` : event.text;
    }

    ended(status, why) {
        if (this.worker === null) {
            return;
        }
        this.worker.terminate();
        this.worker = null;
        this.terminal.accepting = false;
        const how = status === null ? `O programa parou: ${why}` : `O programa terminou (status de saida ${status}).`;
        this.terminal.note(how);
        this.setState("ended", how);
    }

    setState(state, text) {
        document.body.dataset.state = state;
        $("state").textContent = text;
        $("restart").hidden = state !== "ended";
    }
}

try {
    const page = new Page(await loadProgram());
    await page.instance.loadShipped("data");
    for (const button of document.querySelectorAll("button")) {
        button.disabled = false;
    }
    page.start();
    // For tests and the curious: what the terminal holds, scrollback included.
    window.knapsack = { terminalText: () => page.terminal.text(), page };
} catch (error) {
    document.body.dataset.state = "ended";
    $("state").textContent = `O programa nao pode ser carregado: ${error.message}`;
}
