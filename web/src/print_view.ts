// The printed tape: a header with the date, each sheet line with its result on the right,
// the total in bold; the print style sheet shows it instead of the window.

export function fillPrintView(lines: string[], results: readonly string[], total: string): void {
    const rows = lines.map((line, i) => {
        const tr = document.createElement("tr");
        const text = document.createElement("td");
        const result = document.createElement("td");
        text.textContent = line;
        result.textContent = results[i] ?? "";
        tr.append(text, result);
        return tr;
    });
    document.getElementById("print-rows")!.replaceChildren(...rows);
    document.getElementById("print-total")!.textContent = total;
    document.getElementById("print-date")!.textContent = new Date().toLocaleString("ja-JP");
}
