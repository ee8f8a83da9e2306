// The terminal of the page: xterm.js with the line discipline of a console.
// What is typed is echoed and can be edited with Backspace; the program
// receives the line, with its line break, at Enter. Ctrl-D on an empty line
// ends the input, as at a console. Keys that send escape sequences (arrows,
// Home, function keys) type nothing; Tab leaves the terminal.
import { FitAddon } from "./vendor/addon-fit.mjs";
import { Terminal } from "./vendor/xterm.mjs";

// Lines the terminal keeps above the screen; the program's output keeps more
// than this (see web/output_tail.hpp), so none of them is ever missing.
export const SCROLLBACK_LINES = 5000;

// The sequences a key sends that are not text: CSI and SS3 sequences, ESC-letter.
const ESCAPES = /\x1b(\[[0-?]*[ -\/]*[@-~]|O.|.)?/g;

// A full reset, written into the stream so that it comes after what is queued
// before it and before what is queued after it.
const RESET = "\x1bc";

export class LineTerminal {
    // onLine(text) receives each line at Enter; onEnd() the end of the input.
    constructor(element, { onLine, onEnd }) {
        this.term = new Terminal({
            convertEol: true,
            scrollback: SCROLLBACK_LINES,
            cursorBlink: true,
            fontFamily: "ui-monospace, Menlo, Consolas, monospace",
            fontSize: 14,
        });
        this.fit = new FitAddon();
        this.term.loadAddon(this.fit);
        this.term.open(element);
        this.fit.fit();
        new ResizeObserver(() => this.fit.fit()).observe(element);
        this.line = [];
        this.onLine = onLine;
        this.onEnd = onEnd;
        this.accepting = true;
        this.term.onData((data) => this.type(data));
        this.term.attachCustomKeyEventHandler((event) => event.key !== "Tab");
    }

    // Keys as the user typed them (xterm sends Enter as CR, Backspace as DEL).
    type(data) {
        for (const ch of data.replace(ESCAPES, "")) {
            if (!this.accepting) {
                return;
            }
            if (ch === "\r" || ch === "\n") {
                this.term.write("\r\n");
                const line = this.line.join("") + "\n";
                this.line = [];
                this.onLine(line);
            } else if (ch === "\x7f" || ch === "\b") {
                if (this.line.length > 0) {
                    this.line.pop();
                    this.term.write("\b \b");
                }
            } else if (ch === "\x04") {
                if (this.line.length === 0) {
                    this.onEnd();
                } else {
                    this.onLine(this.line.join(""));
                    this.line = [];
                }
            } else if (ch >= " ") {
                this.line.push(ch);
                this.term.write(ch);
            }
        }
    }

    // Types `text` as the whole line, in place of what was typed so far.
    enter(text) {
        this.type(`${"\x7f".repeat(this.line.length)}${text}\r`);
    }

    // Output of the program; `restart` drops what is shown first.
    write(bytes, restart) {
        if (restart) {
            this.term.write(RESET);
        }
        this.term.write(bytes);
        if (restart && this.line.length > 0) {
            this.term.write(this.line.join(""));
        }
    }

    // A note of the page's own, on a line apart from the program's output.
    note(text) {
        this.term.write(`\r\n\x1b[2m${text}\x1b[0m\r\n`);
    }

    clear() {
        this.term.write(RESET);
        this.line = [];
    }

    focus() {
        this.term.focus();
    }

    // Everything the terminal holds, scrollback included, one line of text per
    // line of output (lines the terminal wrapped are joined again).
    text() {
        const buffer = this.term.buffer.active;
        const lines = [];
        for (let y = 0; y < buffer.length; ++y) {
            const row = buffer.getLine(y);
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
