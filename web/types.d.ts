// What the page's scripts find in scope without importing it: the worker's
// and the service worker's global objects, and in the worker the program's
// loader (knapsack.js) and input_queue.js, which the page puts before it.

interface WorkerScope {
    postMessage(message: unknown, transfer?: Transferable[]): void;
    onmessage: ((event: MessageEvent) => void) | null;
}

interface ExtendableEvent extends Event {
    waitUntil(promise: Promise<unknown>): void;
}

interface FetchEvent extends ExtendableEvent {
    readonly request: Request;
    respondWith(response: Promise<Response> | Response): void;
}

interface ServiceWorkerScope {
    addEventListener(type: "install" | "activate", listener: (event: ExtendableEvent) => void): void;
    addEventListener(type: "fetch", listener: (event: FetchEvent) => void): void;
    skipWaiting(): Promise<void>;
    readonly clients: { claim(): Promise<void> };
}

interface KnapsackFileSystem {
    writeFile(path: string, data: Uint8Array): void;
    mkdir(path: string): void;
}

// The Module object of the program's loader: emscripten's settings, and the
// calls the program makes into the script that runs it (web/page_bridge.cpp).
interface KnapsackModule {
    noInitialRun?: boolean;
    locateFile?(path: string): string;
    instantiateWasm?(imports: WebAssembly.Imports,
        done: (instance: WebAssembly.Instance, module: WebAssembly.Module) => void): object;
    wasmBinary?: Uint8Array;
    preRun: ((module: { FS: KnapsackFileSystem }) => void)[];
    everyByte: boolean;
    terminalLines: number;
    showOutput(bytes: Uint8Array, restart: boolean): void;
    nextInput(size: number): Promise<Uint8Array>;
    searchEvent(event: object): void;
    instanceLoaded(optimum: number): void;
    instanceRefused(refusal: object): void;
    solutionFound(found: object): void;
    finished(status: number): void;
    onAbort?(what: unknown): void;
    print(text: string): void;
    printErr(text: string): void;
    // The experiments' (web/experiment_bridge.cpp).
    experimentRefused?(message: string): void;
    experimentRecord?(numbers: Float64Array): void;
    experimentReport?(report: { optimum: number; cells: string; csv: string; svg: string }): void;
}

// The program once loaded: its entry points and its memory.
interface KnapsackInstance {
    _experiment_run(run: number, seconds: number, seed: number): void;
    _experiment_report(numbers: number, count: number): void;
    _malloc(bytes: number): number;
    _free(at: number): void;
    HEAPF64: Float64Array;
}

declare function createKnapsack(module: KnapsackModule): Promise<KnapsackInstance>;
declare const InputQueue: typeof import("./site/input_queue.js").InputQueue;
