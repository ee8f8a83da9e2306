// The chart of a VNS run: the best objective over the seconds of the budget,
// with the exact optimum of the instance as a dashed line and the gap to it;
// and the search's progress as rows, for a CSV file.

const COLORS = { axis: "#555a61", grid: "#e4e6ea", best: "#1f4e8c", optimum: "#b3261e" };

/**
 * @typedef {object} SearchEvent
 * @property {"started" | "improved" | "progress" | "finished"} kind
 * @property {number} seconds
 * @property {number} cycles
 * @property {number} objective
 * @property {string} text the progress line, as the console shows it
 * @property {number} budget seconds
 */

export class SearchChart {
    /**
     * @param {HTMLCanvasElement} canvas
     * @param {HTMLElement} caption
     */
    constructor(canvas, caption) {
        this.canvas = canvas;
        this.caption = caption;
        /** @type {number | null} */
        this.optimum = null;
        this.budget = 20;
        /** @type {[number, number][]} [seconds, best objective], in order */
        this.points = [];
        /** @type {SearchEvent[]} */
        this.events = [];
        this.now = 0;
        this.pending = false;
        new ResizeObserver(() => this.redraw()).observe(canvas);
    }

    // Back to no search at all.
    reset() {
        this.points = [];
        this.events = [];
        this.now = 0;
        this.optimum = null;
        this.redraw();
    }

    /** @param {number | null} objective */
    setOptimum(objective) {
        this.optimum = objective;
        this.redraw();
    }

    /** @param {SearchEvent} event */
    follow(event) {
        if (event.kind === "started") {
            this.budget = event.budget;
            this.points = [[0, event.objective]];
            this.events = [];
        } else if (event.kind === "improved") {
            this.points.push([event.seconds, event.objective]);
        }
        this.events.push(event);
        this.now = Math.max(this.now, event.seconds);
        this.redraw();
    }

    best() {
        return this.points.length > 0 ? this.points[this.points.length - 1][1] : null;
    }

    // Gap of the best objective to the optimum, in per cent of the optimum.
    gap() {
        const best = this.best();
        if (best === null || this.optimum === null || this.optimum <= 0) {
            return null;
        }
        return (100 * (this.optimum - best)) / this.optimum;
    }

    // The search's progress: one row for its start, every improvement, every
    // progress report and its end.
    csv() {
        const rows = this.events.map((e) => `${e.kind},${e.seconds},${e.cycles},${e.objective}`);
        return ["evento,segundos,ciclos,melhor_objetivo", ...rows].join("\n") + "\n";
    }

    /** @returns {Promise<Blob>} the chart as a PNG image */
    image() {
        this.draw();
        return new Promise((resolve, reject) => {
            this.canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error("sem imagem"))), "image/png");
        });
    }

    // Draws at the next frame, however many events come before it.
    redraw() {
        if (!this.pending) {
            this.pending = true;
            requestAnimationFrame(() => {
                this.pending = false;
                this.draw();
            });
        }
    }

    draw() {
        const ratio = window.devicePixelRatio || 1;
        const width = this.canvas.clientWidth;
        const height = this.canvas.clientHeight;
        this.canvas.width = Math.round(width * ratio);
        this.canvas.height = Math.round(height * ratio);
        const g = this.canvas.getContext("2d");
        if (g === null) {
            return;
        }
        g.setTransform(ratio, 0, 0, ratio, 0, 0);
        g.fillStyle = "white";
        g.fillRect(0, 0, width, height);
        g.font = "12px sans-serif";
        const left = 64, right = 24, top = 12, bottom = 28;
        const values = this.points.map((p) => p[1]);
        if (this.optimum !== null) {
            values.push(this.optimum);
        }
        if (values.length === 0) {
            this.describe();
            return;
        }
        let low = Math.min(...values);
        let high = Math.max(...values);
        const margin = Math.max(1, (high - low) * 0.08);
        low -= margin;
        high += margin;
        /** @param {number} s */
        const x = (s) => left + (Math.min(s, this.budget) / this.budget) * (width - left - right);
        /** @param {number} v */
        const y = (v) => top + ((high - v) / (high - low)) * (height - top - bottom);

        g.strokeStyle = COLORS.grid;
        g.fillStyle = COLORS.axis;
        g.lineWidth = 1;
        for (let s = 0; s <= this.budget; s += 5) {
            g.beginPath();
            g.moveTo(x(s), top);
            g.lineTo(x(s), height - bottom);
            g.stroke();
            g.fillText(`${s} s`, x(s) - 10, height - 10);
        }
        for (const v of [low + margin, high - margin]) {
            g.fillText(String(Math.round(v)), 4, y(v) + 4);
        }
        if (this.optimum !== null) {
            g.strokeStyle = COLORS.optimum;
            g.setLineDash([6, 4]);
            g.beginPath();
            g.moveTo(x(0), y(this.optimum));
            g.lineTo(x(this.budget), y(this.optimum));
            g.stroke();
            g.setLineDash([]);
        }
        if (this.points.length > 0) {
            g.strokeStyle = COLORS.best;
            g.lineWidth = 2;
            g.beginPath();
            let [, last] = this.points[0];
            g.moveTo(x(0), y(last));
            for (const [s, v] of this.points.slice(1)) {
                g.lineTo(x(s), y(last));
                g.lineTo(x(s), y(v));
                last = v;
            }
            g.lineTo(x(this.now), y(last));
            g.stroke();
        }
        this.describe();
    }

    describe() {
        const parts = [];
        const best = this.best();
        if (best !== null) {
            parts.push(`melhor objetivo: ${best}`);
        }
        parts.push(this.optimum === null ? "ótimo exato: desconhecido" : `ótimo exato: ${this.optimum}`);
        const gap = this.gap();
        if (gap !== null) {
            parts.push(`distância ao ótimo: ${gap.toFixed(2)} %`);
        }
        this.caption.textContent = parts.join(" | ");
    }
}
