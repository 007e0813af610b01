// The divider between the sheet and the results column: dragged, it sets the results
// column's width, which then stays as the window is resized; neither side gets below 75 px.
const MIN = 75;
const KEY = "quillsum.split";

export function wireDivider(divider: HTMLElement, panes: HTMLElement): void {
    const setRight = (px: number) => {
        const width = panes.clientWidth;
        const x = Math.min(Math.max(width - px, MIN), Math.max(width - MIN, MIN));
        panes.style.setProperty("--right", `${width - x}px`);
        return width - x;
    };
    const saved = Number(localStorage.getItem(KEY));
    if (saved > 0) setRight(saved);
    let dragging = false;
    divider.addEventListener("pointerdown", (e) => {
        if (e.button !== 0) return;
        dragging = true;
        divider.classList.add("dragging");
        divider.setPointerCapture(e.pointerId);
    });
    divider.addEventListener("pointermove", (e) => {
        if (!dragging) return;
        const box = panes.getBoundingClientRect();
        localStorage.setItem(KEY, String(setRight(box.right - Math.round(e.clientX))));
    });
    const end = () => {
        dragging = false;
        divider.classList.remove("dragging");
    };
    divider.addEventListener("pointerup", end);
    divider.addEventListener("pointercancel", end);
}
