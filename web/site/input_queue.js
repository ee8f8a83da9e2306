// Standard input as it arrives, in chunks, handed to the program at most
// `size` bytes at a time; an empty chunk means the end of the input. Shared by
// the page's worker (appended to it, see page.js) and the node runner.
export class InputQueue {
    constructor() {
        /** @type {Uint8Array[]} */
        this.chunks = [];
        this.ended = false;
        /** @type {(() => void) | null} */
        this.wake = null;
    }

    // Whether a read would wait: nothing typed, and the input not ended.
    empty() {
        return this.chunks.length === 0 && !this.ended;
    }

    /** @param {Uint8Array} bytes */
    push(bytes) {
        this.chunks.push(bytes);
        this.notify();
    }

    end() {
        this.ended = true;
        this.notify();
    }

    notify() {
        const wake = this.wake;
        this.wake = null;
        wake?.();
    }

    /**
     * The next bytes, at most `size`, once there are some; none at the end.
     * @param {number} size
     * @returns {Promise<Uint8Array>}
     */
    async next(size) {
        while (this.empty()) {
            await new Promise((resolve) => {
                this.wake = () => resolve(undefined);
            });
        }
        if (this.chunks.length === 0) {
            return new Uint8Array(0);
        }
        const chunk = this.chunks[0];
        if (chunk.length <= size) {
            this.chunks.shift();
            return chunk;
        }
        this.chunks[0] = chunk.subarray(size);
        return chunk.subarray(0, size);
    }
}
