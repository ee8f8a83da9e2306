// Files the page hands the user: what the terminal holds, the chart, the
// search's progress. Made here, never sent anywhere.

/**
 * @param {string} name
 * @param {Blob} blob
 */
export function saveBlob(name, blob) {
    const url = URL.createObjectURL(blob);
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    link.hidden = true;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
}

/**
 * @param {string} name
 * @param {string} text
 * @param {string} [type]
 */
export function saveText(name, text, type = "text/plain") {
    saveBlob(name, new Blob([text], { type: `${type};charset=utf-8` }));
}
