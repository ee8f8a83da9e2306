// Standard input as it arrives, in chunks, handed to the program at most
// `size` bytes at a time; an empty chunk means the end of the input. Shared by
// the page's worker (appended to it, see page.js) and the node runner.
export class InputQueue {
    constructor() {
        this.chunks = [];
        this.ended = false;
        this.wake = null;
    }

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

    // The next bytes, at most `size`, once there are some; none at the end.
    async next(size) {
        while (this.chunks.length === 0 && !this.ended) {
            await new Promise((resolve) => {
                this.wake = resolve;
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
