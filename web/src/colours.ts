// Colours as the settings file stores them: 0x00BBGGRR, or 0x80000000 plus a system colour
// index, which the page shows in its own theme's colour.

export function cssColour(stored: number): string | null {
    if (stored >>> 0 >= 0x80000000) return null;
    const r = stored & 0xff;
    const g = (stored >>> 8) & 0xff;
    const b = (stored >>> 16) & 0xff;
    return `#${[r, g, b].map((v) => v.toString(16).padStart(2, "0")).join("")}`;
}

export function storedColour(css: string): number {
    const m = /^#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})$/i.exec(css);
    if (!m) return 0;
    return parseInt(m[1], 16) | (parseInt(m[2], 16) << 8) | (parseInt(m[3], 16) << 16);
}
