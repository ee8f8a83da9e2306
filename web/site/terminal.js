// The terminal of the page: xterm.js with the line discipline of a console.
// What is typed is echoed and can be edited with Backspace; the program
// receives the line, with its line break, at Enter. Ctrl-D on an empty line
// ends the input and Ctrl-C interrupts the program, as at a console. Keys that
// send escape sequences (arrows, Home, function keys) type nothing; Tab leaves
// the terminal.
import { FitAddon } from "@xterm/addon-fit";
import { Terminal } from "@xterm/xterm";

// Lines the terminal keeps above the screen. The program hands it no more
// lines at once than it holds in all (see web/output_tail.hpp), so a slow
// machine never parses what would scroll out of it anyway.
export const SCROLLBACK_LINES = 5000;

// The sequences a key sends that are not text: CSI and SS3 sequences, ESC-letter.
// eslint-disable-next-line no-control-regex -- they start with the control character ESC
const ESCAPES = /\x1b(\[[0-?]*[ -/]*[@-~]|O.|.)?/g;

// A full reset, written into the stream so that it comes after what is
// written before it and before what is written after it.
const RESET = "\x1bc";

/**
 * @typedef {object} LineHandlers
 * @property {(line: string) => void} onLine a line typed, at Enter
 * @property {() => void} onEnd the end of the input (Ctrl-D)
 * @property {() => void} onInterrupt Ctrl-C
 * @property {() => void} onRefused typing when the program no longer reads
 */

export class LineTerminal {
    /**
     * @param {HTMLElement} element
     * @param {LineHandlers} handlers
     */
    constructor(element, handlers) {
        this.element = element;
        this.handlers = handlers;
        /** @type {string[]} */
        this.line = [];
        this.accepting = false;
        this.screenReaderMode = false;
        /** @type {{bytes: Uint8Array | string, restart: boolean}[]} */
        this.queue = [];
        this.writing = false;
        /** @type {FitAddon | undefined} */
        this.fit = undefined;
        this.term = this.open();
        new ResizeObserver(() => this.fit?.fit()).observe(element);
    }

    // A new terminal in place of the old, so that nothing the old one still
    // had to write can reach the screen.
    open() {
        this.term?.dispose();
        this.queue = [];
        this.writing = false;
        this.line = [];
        const term = new Terminal({
            convertEol: true,
            scrollback: SCROLLBACK_LINES,
            cursorBlink: true,
            fontFamily: "ui-monospace, Menlo, Consolas, monospace",
            fontSize: 14,
            screenReaderMode: this.screenReaderMode,
        });
        const fit = new FitAddon();
        term.loadAddon(fit);
        term.open(this.element);
        fit.fit();
        this.fit = fit;
        term.onData((data) => this.type(data));
        term.attachCustomKeyEventHandler((event) => event.key !== "Tab");
        this.term = term;
        return term;
    }

    // The lines it holds, scrollback included: the most the program is to hand it at once.
    capacity() {
        return SCROLLBACK_LINES + this.term.rows;
    }

    /** @param {boolean} on */
    setScreenReaderMode(on) {
        this.screenReaderMode = on;
        this.term.options.screenReaderMode = on;
    }

    /**
     * Keys as the user typed them (xterm sends Enter as CR, Backspace as DEL).
     * @param {string} data
     */
    type(data) {
        for (const ch of data.replace(ESCAPES, "")) {
            if (ch === "\x03") {
                this.handlers.onInterrupt();
                return;
            }
            if (!this.accepting) {
                this.handlers.onRefused();
                return;
            }
            if (ch === "\r" || ch === "\n") {
                this.echo("\r\n");
                const line = this.line.join("") + "\n";
                this.line = [];
                this.handlers.onLine(line);
            } else if (ch === "\x7f" || ch === "\b") {
                if (this.line.length > 0) {
                    this.line.pop();
                    this.echo("\b \b");
                }
            } else if (ch === "\x04") {
                if (this.line.length === 0) {
                    this.handlers.onEnd();
                } else {
                    this.handlers.onLine(this.line.join(""));
                    this.line = [];
                }
            } else if (ch >= " ") {
                this.line.push(ch);
                this.echo(ch);
            }
        }
    }

    /**
     * Types `text` as the whole line, in place of what was typed so far.
     * @param {string} text
     */
    enter(text) {
        this.type(`${"\x7f".repeat(this.line.length)}${text}\r`);
    }

    /** @param {string} text */
    echo(text) {
        this.push(text, false);
    }

    /**
     * Output of the program; `restart` drops what is shown first, and what
     * was still waiting to be written with it.
     * @param {Uint8Array} bytes
     * @param {boolean} restart
     */
    write(bytes, restart) {
        this.push(bytes, restart);
        if (restart && this.line.length > 0) {
            this.push(this.line.join(""), false);
        }
    }

    /**
     * One write at a time goes to xterm, the next when it has parsed the
     * last: on a slow machine the terminal never falls behind the program.
     * @param {Uint8Array | string} bytes
     * @param {boolean} restart
     */
    push(bytes, restart) {
        if (restart) {
            this.queue = [];
        }
        this.queue.push({ bytes, restart });
        this.pump();
    }

    pump() {
        const next = this.writing ? undefined : this.queue.shift();
        if (next === undefined) {
            return;
        }
        this.writing = true;
        const term = this.term;
        if (next.restart) {
            term.write(RESET);
        }
        term.write(next.bytes, () => {
            if (term === this.term) {
                this.writing = false;
                this.pump();
            }
        });
    }

    // Whether everything handed to it is on the screen.
    settled() {
        return !this.writing && this.queue.length === 0;
    }

    /**
     * A note of the page's own, on a line apart from the program's output.
     * @param {string} text
     */
    note(text) {
        this.push(`\r\n\x1b[2m${text}\x1b[0m\r\n`, false);
    }

    focus() {
        this.term.focus();
    }

    // Everything the terminal holds, scrollback included, one line of text per
    // line of output (lines the terminal wrapped are joined again).
    text() {
        const buffer = this.term.buffer.active;
        /** @type {string[]} */
        const lines = [];
        for (let y = 0; y < buffer.length; ++y) {
            const row = buffer.getLine(y);
            if (row === undefined) {
                continue;
            }
            const text = row.translateToString(true);
            if (row.isWrapped && lines.length > 0) {
                lines[lines.length - 1] += text;
            } else {
                lines.push(text);
            }
        }
        while (lines.length > 0 && lines[lines.length - 1] === "") {
            lines.pop();
        }
        return lines.join("\n");
    }
}
