// The chart of a VNS run: the best objective over the seconds of the budget,
// with the exact optimum of the instance as a dashed line and the gap to it.

const COLORS = { axis: "#667", grid: "#e4e6ea", best: "#1f4e8c", optimum: "#c0392b" };

export class SearchChart {
    constructor(canvas, caption) {
        this.canvas = canvas;
        this.caption = caption;
        this.optimum = null;
        this.budget = 20;
        this.points = []; // [seconds, best objective], in order
        this.now = 0;
        this.pending = false;
        new ResizeObserver(() => this.redraw()).observe(canvas);
    }

    // Back to no search at all.
    reset() {
        this.points = [];
        this.now = 0;
        this.optimum = null;
        this.redraw();
    }

    setOptimum(objective) {
        this.optimum = objective;
        this.redraw();
    }

    started(budget, objective) {
        this.budget = budget;
        this.points = [[0, objective]];
        this.now = 0;
        this.redraw();
    }

    improved(seconds, objective) {
        this.points.push([seconds, objective]);
        this.now = Math.max(this.now, seconds);
        this.redraw();
    }

    progressed(seconds) {
        this.now = Math.max(this.now, seconds);
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
        g.setTransform(ratio, 0, 0, ratio, 0, 0);
        g.clearRect(0, 0, width, height);
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
        const x = (s) => left + (Math.min(s, this.budget) / this.budget) * (width - left - right);
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
        if (this.best() !== null) {
            parts.push(`melhor objetivo: ${this.best()}`);
        }
        parts.push(this.optimum === null ? "otimo exato: desconhecido" : `otimo exato: ${this.optimum}`);
        const gap = this.gap();
        if (gap !== null) {
            parts.push(`distancia ao otimo: ${gap.toFixed(2)} %`);
        }
        this.caption.textContent = parts.join(" | ");
    }
}
