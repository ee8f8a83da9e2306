// The current solution as page text, beside the terminal, for everyone and
// for screen readers above all: after each method, what it found. The end of
// each method is announced politely; the trace never is, and the progress of
// a search only every few seconds.

/**
 * @typedef {object} Found
 * @property {number} method 1, 2 or 3
 * @property {number} objective
 * @property {number} weight
 * @property {number} excess
 * @property {number[]} quantities
 * @property {number[]} weights
 */

const METHODS = /** @type {Record<number, string>} */ ({
    1: "Solução aleatória",
    2: "VND",
    3: "VNS (20 segundos)",
});

// Seconds between two announcements of a running search's progress.
export const SECONDS_BETWEEN_ANNOUNCEMENTS = 5;

/** @param {string} text */
function paragraph(text) {
    const p = document.createElement("p");
    p.textContent = text;
    return p;
}

export class ResultsView {
    /**
     * @param {HTMLElement} result where the solution is shown
     * @param {HTMLElement} announce the polite live region of the methods' ends
     * @param {HTMLElement} progress the polite live region of a search's progress
     */
    constructor(result, announce, progress) {
        this.result = result;
        this.announce = announce;
        this.progress = progress;
        this.announcedAt = -Infinity;
    }

    /** @param {Found} found */
    show(found) {
        const name = METHODS[found.method] ?? `Método ${found.method}`;
        const summary = `objetivo ${found.objective}, peso ${found.weight}, excesso ${found.excess}`;
        const heading = document.createElement("h3");
        heading.textContent = name;
        const numbers = document.createElement("p");
        numbers.textContent =
            `Objetivo: ${found.objective}. Peso da mochila: ${found.weight}. Excesso sobre a capacidade: ${found.excess}.`;
        const taken = found.quantities.filter((q) => q > 0).length;
        if (taken === 0) {
            this.result.replaceChildren(heading, numbers, paragraph("Nenhum item na mochila."));
            this.announce.textContent = `${name} terminou: ${summary}.`;
            return;
        }
        const table = document.createElement("table");
        table.createCaption().textContent =
            `Itens na mochila (${taken} de ${found.quantities.length}; os demais com quantidade 0)`;
        const head = table.createTHead().insertRow();
        for (const title of ["Item", "Quantidade", "Peso unitário"]) {
            const cell = document.createElement("th");
            cell.scope = "col";
            cell.textContent = title;
            head.append(cell);
        }
        const body = table.createTBody();
        found.quantities.forEach((quantity, item) => {
            if (quantity > 0) {
                const row = body.insertRow();
                for (const value of [item, quantity, found.weights[item]]) {
                    row.insertCell().textContent = String(value);
                }
            }
        });
        this.result.replaceChildren(heading, numbers, table);
        this.announce.textContent = `${name} terminou: ${summary}.`;
    }

    // A new search: its progress is announced from its start.
    searchStarted() {
        this.announcedAt = -Infinity;
    }

    /**
     * The progress line of a running search, announced every few seconds.
     * @param {string} text
     * @param {number} seconds into the search
     */
    progressed(text, seconds) {
        if (seconds - this.announcedAt >= SECONDS_BETWEEN_ANNOUNCEMENTS) {
            this.announcedAt = seconds;
            this.progress.textContent = text;
        }
    }

    /** @param {string} text said once, politely */
    say(text) {
        this.announce.textContent = text;
    }

    reset() {
        this.progress.textContent = "";
        this.result.replaceChildren(paragraph("Ainda não há solução: a escolha 1 gera uma."));
    }
}
