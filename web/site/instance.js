// The three instance files the program reads, as the page holds them: the
// shipped ones at first; replaced by a file the user chooses (kept byte for
// byte) or by what the user types into the lists.

export const FILE_NAMES = ["peso50.txt", "beneficio50.txt", "limite50.txt"];

export class InstanceEditor {
    // `fields`: for each file name, its textarea and its file input.
    constructor(fields) {
        this.fields = fields;
        this.shipped = {};
        this.chosen = {}; // name -> bytes of a chosen file, until its list is edited
        for (const name of FILE_NAMES) {
            const { text, file } = fields[name];
            text.addEventListener("input", () => delete this.chosen[name]);
            file.addEventListener("change", async () => {
                const picked = file.files[0];
                if (picked) {
                    const bytes = new Uint8Array(await picked.arrayBuffer());
                    text.value = new TextDecoder().decode(bytes);
                    this.chosen[name] = bytes;
                }
                file.value = "";
            });
        }
    }

    async loadShipped(folder) {
        for (const name of FILE_NAMES) {
            const response = await fetch(`${folder}/${name}`);
            if (!response.ok) {
                throw new Error(`${name}: ${response.status}`);
            }
            this.shipped[name] = new Uint8Array(await response.arrayBuffer());
        }
        this.restoreShipped();
    }

    restoreShipped() {
        for (const name of FILE_NAMES) {
            this.fields[name].text.value = new TextDecoder().decode(this.shipped[name]);
        }
        this.chosen = {};
    }

    // The files for the next run: name -> bytes.
    files() {
        const files = {};
        for (const name of FILE_NAMES) {
            files[name] = this.chosen[name] ?? new TextEncoder().encode(this.fields[name].text.value);
        }
        return files;
    }
}
