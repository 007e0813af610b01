// The keypad panel: buttons at their places in twips, the two button sizes, move mode (drag a
// button; on release it is pulled back inside the panel) and the reset to default places.
import { KEYS, PHONE_GRID, type KeyGroup, type KeySpec, PANEL_HEIGHT_PX, TWIPS_PER_PX, defaultLeft, keyHeight, keyWidth } from "./keypad_layout";

export type KeyHandler = (group: KeyGroup, index: number) => void;

interface Placed {
    spec: KeySpec;
    el: HTMLButtonElement;
    left: number;
    top: number;
}

export class Keypad {
    private readonly keys: Placed[] = [];
    private size: 4 | 5 = 4;
    moveMode = false;

    constructor(
        private readonly panel: HTMLElement,
        onKey: KeyHandler,
        onContext: (onPanel: boolean) => void,
        private readonly onMoved: () => void = () => undefined,
    ) {
        for (const spec of KEYS) {
            const el = document.createElement("button");
            el.type = "button";
            el.className = `key key-${spec.group}`;
            el.textContent = spec.caption;
            el.dataset.key = `${spec.group}${spec.index}`;
            if (spec.name) el.setAttribute("aria-label", spec.name);
            if (spec.tip) el.title = spec.tip;
            const cell = PHONE_GRID[el.dataset.key];
            if (cell) el.style.cssText = `--col:${cell[0]};--row:${cell[1]};--span:${cell[2] ?? 1}`;
            // Keys act without taking the focus from the sheet, as buttons that never hold it.
            el.addEventListener("mousedown", (e) => e.preventDefault());
            el.addEventListener("click", () => {
                if (!this.moveMode) onKey(spec.group, spec.index);
            });
            el.addEventListener("contextmenu", (e) => {
                e.preventDefault();
                e.stopPropagation();
                onContext(false);
            });
            const placed = { spec, el, left: spec.base, top: spec.top };
            this.dragWith(placed);
            this.keys.push(placed);
            panel.append(el);
        }
        panel.addEventListener("contextmenu", (e) => {
            e.preventDefault();
            onContext(true);
        });
        // The form design: every key at its small-size default place.
        this.size = 4;
        this.toDefaults();
    }

    setSize(size: 4 | 5): void {
        this.size = size;
        this.place();
    }

    /** The keys' places in twips, by key name ("num7", "op1", ...). */
    places(): Record<string, [number, number]> {
        return Object.fromEntries(this.keys.map((k) => [k.el.dataset.key!, [k.left, k.top]]));
    }

    /** Puts keys at stored places; names or values it does not know are passed over. */
    setPlaces(places: Record<string, unknown>): void {
        for (const k of this.keys) {
            const p = places[k.el.dataset.key!];
            if (Array.isArray(p) && p.length === 2 && p.every(Number.isFinite)) [k.left, k.top] = p as [number, number];
        }
        this.place();
    }

    /** Every key back to its default place for the current size. */
    reset(): void {
        this.toDefaults();
        this.onMoved();
    }

    private toDefaults(): void {
        for (const k of this.keys) {
            k.left = defaultLeft(k.spec, this.size);
            k.top = k.spec.top;
        }
        this.place();
    }

    setMoveMode(on: boolean): void {
        this.moveMode = on;
        this.panel.classList.toggle("moving", on);
    }

    private place(): void {
        let right = 0;
        for (const k of this.keys) {
            const s = k.el.style;
            s.left = `${k.left / TWIPS_PER_PX}px`;
            s.top = `${k.top / TWIPS_PER_PX}px`;
            s.width = `${keyWidth(k.spec, this.size) / TWIPS_PER_PX}px`;
            s.height = `${keyHeight(k.spec) / TWIPS_PER_PX}px`;
            right = Math.max(right, (k.left + keyWidth(k.spec, this.size)) / TWIPS_PER_PX);
        }
        this.panel.style.setProperty("--keys-width", `${Math.ceil(right) + 8}px`);
        this.panel.style.height = `${PANEL_HEIGHT_PX}px`;
    }

    // In move mode the grabbed point stays under the pointer; on release the button is pulled
    // back inside the panel.
    private dragWith(k: Placed): void {
        let grab: { x: number; y: number } | null = null;
        k.el.addEventListener("pointerdown", (e) => {
            if (!this.moveMode || e.button !== 0) return;
            grab = { x: e.clientX * TWIPS_PER_PX - k.left, y: e.clientY * TWIPS_PER_PX - k.top };
            k.el.setPointerCapture(e.pointerId);
        });
        k.el.addEventListener("pointermove", (e) => {
            if (!grab || !this.moveMode) return;
            k.left = e.clientX * TWIPS_PER_PX - grab.x;
            k.top = e.clientY * TWIPS_PER_PX - grab.y;
            this.place();
        });
        k.el.addEventListener("pointerup", () => {
            grab = null;
            if (!this.moveMode) return;
            const innerW = this.panel.clientWidth * TWIPS_PER_PX;
            const innerH = this.panel.clientHeight * TWIPS_PER_PX;
            const w = keyWidth(k.spec, this.size);
            const h = keyHeight(k.spec);
            k.left = k.left < 0 ? 0 : Math.min(k.left, innerW - w);
            k.top = k.top < 0 ? 0 : Math.min(k.top, innerH - h);
            this.place();
            this.onMoved();
        });
    }
}
