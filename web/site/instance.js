// The three instance files the program reads, as the page holds them: the
// shipped ones at first; replaced by a file the user chooses (kept byte for
// byte) or by what the user types into the lists, which this browser keeps
// until "Restaurar" puts the shipped ones back. A file the program refuses is
// marked where it names the value at fault.

export const FILE_NAMES = ["peso50.txt", "beneficio50.txt", "limite50.txt"];
// Items the program reads from each file; fewer numbers leave the rest at 0.
export const ITEM_COUNT = 50;
// The white space that separates the numbers, as the program reads them.
const BLANKS = /[ \t\n\v\f\r]+/;
const STORAGE_PREFIX = "knapsack-vns:instance:";

/**
 * @typedef {object} FileFields
 * @property {HTMLTextAreaElement} text
 * @property {HTMLInputElement} file
 * @property {HTMLElement} note
 */

/**
 * @typedef {object} Refusal the loader's message, and where the value at fault stands
 * @property {string} file
 * @property {string} message
 * @property {number | null} line from 1
 * @property {number | null} offset of its first byte in the file
 */

/**
 * Numbers in a file's text, counted as the program counts them.
 * @param {string} text
 */
export function countValues(text) {
    return text.split(BLANKS).filter((token) => token !== "").length;
}

// localStorage, or nothing where the browser refuses it (a private window).
function storage() {
    try {
        return window.localStorage;
    } catch {
        return null;
    }
}

export class InstanceEditor {
    /** @param {Record<string, FileFields>} fields */
    constructor(fields) {
        this.fields = fields;
        /** @type {Record<string, Uint8Array>} */
        this.shipped = {};
        /** @type {Record<string, Uint8Array>} name -> bytes of a chosen file, until its list is edited */
        this.chosen = {};
        /** @type {Set<Promise<void>>} chosen files still being read */
        this.reading = new Set();
        for (const name of FILE_NAMES) {
            const { text, file } = fields[name];
            text.addEventListener("input", () => {
                delete this.chosen[name];
                this.keep(name);
                this.unmark(name);
            });
            file.addEventListener("change", () => {
                const picked = file.files?.[0];
                file.value = "";
                if (picked) {
                    const read = this.choose(name, picked);
                    this.reading.add(read);
                    void read.finally(() => this.reading.delete(read));
                }
            });
        }
    }

    /**
     * @param {string} name
     * @param {File} picked
     */
    async choose(name, picked) {
        const bytes = new Uint8Array(await picked.arrayBuffer());
        this.fields[name].text.value = new TextDecoder().decode(bytes);
        this.chosen[name] = bytes;
        this.keep(name);
        this.unmark(name);
    }

    /** @param {string} folder */
    async loadShipped(folder) {
        for (const name of FILE_NAMES) {
            const response = await fetch(`${folder}/${name}`);
            if (!response.ok) {
                throw new Error(`${name}: ${response.status}`);
            }
            this.shipped[name] = new Uint8Array(await response.arrayBuffer());
        }
        for (const name of FILE_NAMES) {
            const kept = storage()?.getItem(STORAGE_PREFIX + name);
            this.fields[name].text.value = kept ?? new TextDecoder().decode(this.shipped[name]);
            this.unmark(name);
        }
    }

    // The shipped files again, and no edit kept.
    restoreShipped() {
        this.chosen = {};
        for (const name of FILE_NAMES) {
            this.fields[name].text.value = new TextDecoder().decode(this.shipped[name]);
            storage()?.removeItem(STORAGE_PREFIX + name);
            this.unmark(name);
        }
    }

    /** @param {string} name */
    keep(name) {
        try {
            storage()?.setItem(STORAGE_PREFIX + name, this.fields[name].text.value);
        } catch {
            // Full or refused: the edit lasts as long as the page.
        }
    }

    /** @returns {Promise<Record<string, Uint8Array>>} the files for the next run, chosen ones read */
    async files() {
        await Promise.all(this.reading);
        /** @type {Record<string, Uint8Array>} */
        const files = {};
        for (const name of FILE_NAMES) {
            files[name] = this.chosen[name] ?? new TextEncoder().encode(this.fields[name].text.value);
        }
        return files;
    }

    /**
     * Back to no mark, with the hint a short file deserves.
     * @param {string} name
     */
    unmark(name) {
        const { text, note } = this.fields[name];
        text.removeAttribute("aria-invalid");
        note.classList.remove("error");
        const count = countValues(text.value);
        note.textContent = count < ITEM_COUNT
            ? `${count} ${count === 1 ? "número" : "números"}: os itens ${count} a ${ITEM_COUNT - 1} valem 0.`
            : "";
    }

    /**
     * The loader's message beside the file it names, the value at fault marked.
     * @param {Refusal} refusal
     */
    refused(refusal) {
        const fields = this.fields[refusal.file];
        if (fields === undefined) {
            return;
        }
        const { text, note } = fields;
        text.setAttribute("aria-invalid", "true");
        note.classList.add("error");
        const message = document.createElement("strong");
        message.textContent = refusal.message.trim();
        note.replaceChildren(message);
        if (refusal.line === null || refusal.offset === null) {
            return;
        }
        // The offset counts the file's bytes; the list holds its text as the
        // browser does, without a byte order mark and with CR LF made LF.
        const bytes = this.chosen[refusal.file] ?? new TextEncoder().encode(text.value);
        const start = new TextDecoder().decode(bytes.subarray(0, refusal.offset)).replace(/\r\n?/g, "\n").length;
        const rest = text.value.slice(start).search(BLANKS);
        const end = rest < 0 ? text.value.length : start + rest;
        const lineStart = text.value.lastIndexOf("\n", start - 1) + 1;
        const lineEnd = text.value.indexOf("\n", end) < 0 ? text.value.length : text.value.indexOf("\n", end);
        const line = document.createElement("code");
        const mark = document.createElement("mark");
        mark.textContent = text.value.slice(start, end);
        line.append(text.value.slice(lineStart, start), mark, text.value.slice(end, lineEnd));
        note.append(` Linha ${refusal.line}: `, line);
        text.focus();
        text.setSelectionRange(start, end);
    }
}
