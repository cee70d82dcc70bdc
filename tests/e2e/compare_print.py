#!/usr/bin/env python3
"""Compares a printed page (the PDF from the printer queue, as a picture) with the BMP export of
the same chart.

Usage: compare_print.py page.rgb PAGE_W PAGE_H export.rgb W H landscape|portrait
The .rgb files hold raw 8-bit RGB rows. The chart is found on the page by its ink (everything
unlike the white paper), which gives its scale and place: the page must be in the given
orientation, the chart as large as the page allows with its proportions kept, and centred. Then,
block by block of the export, fills and background must show the same colour on paper, and ink
(outlines, text) must be on paper where the export has it and nowhere else. Exits 1 on a fault.
Blocks are 7 export pixels square; ink found within one block of where it is expected counts.
"""
import sys

BLOCK = 7


def load(path, width, height):
    data = open(path, "rb").read()
    if len(data) != width * height * 3:
        sys.exit(f"{path}: {len(data)} bytes, not {width} x {height} RGB")
    return data


def main():
    page_path, pw, ph, export_path, w, h, orientation = sys.argv[1:8]
    pw, ph, w, h = int(pw), int(ph), int(w), int(h)
    page, export = load(page_path, pw, ph), load(export_path, w, h)
    faults = []

    def pixel(data, width, x, y):
        i = (y * width + x) * 3
        return data[i], data[i + 1], data[i + 2]

    def paper(p):
        return min(p) > 230

    def ink(p):
        return 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2] < 140

    def extent(data, width, height):
        xs, ys = [], []
        for y in range(height):
            row = [x for x in range(width) if not paper(pixel(data, width, x, y))]
            if row:
                xs += [row[0], row[-1]]
                ys.append(y)
        return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None

    page_ink, export_ink = extent(page, pw, ph), extent(export, w, h)
    if not page_ink or not export_ink:
        sys.exit(f"no chart found: page {page_ink}, export {export_ink}")
    sx = (page_ink[2] - page_ink[0]) / (export_ink[2] - export_ink[0])
    sy = (page_ink[3] - page_ink[1]) / (export_ink[3] - export_ink[1])
    if abs(sx - sy) > 0.02 * sx:
        faults.append(f"proportions not kept: scale {sx:.3f} across, {sy:.3f} down")
    s = (sx + sy) / 2
    left, top = page_ink[0] - s * export_ink[0], page_ink[1] - s * export_ink[1]
    right, bottom = left + s * w, top + s * h
    print(f"page {pw}x{ph}, chart at {left:.0f},{top:.0f} to {right:.0f},{bottom:.0f} (scale {s:.3f})")
    if (pw > ph) != (orientation == "landscape"):
        faults.append(f"page is {pw}x{ph}, not {orientation}")
    if abs(left - (pw - right)) > 0.02 * pw or abs(top - (ph - bottom)) > 0.02 * ph:
        faults.append("chart not centred on the page")
    if right - left < 0.9 * pw and bottom - top < 0.9 * ph:
        faults.append("chart not fitted to the page")

    def block(data, width, x0, y0, x1, y1):
        pixels = [pixel(data, width, x, y) for y in range(y0, y1) for x in range(x0, x1)]
        mean = [sum(p[c] for p in pixels) / len(pixels) for c in range(3)]
        spread = max(max(abs(p[c] - mean[c]) for p in pixels) for c in range(3))
        return mean, spread, any(ink(p) for p in pixels)

    def paper_block(bx, by, inset):
        x0, y0 = int(left + bx * BLOCK * s + inset), int(top + by * BLOCK * s + inset)
        x1, y1 = int(left + (bx + 1) * BLOCK * s - inset), int(top + (by + 1) * BLOCK * s - inset)
        x0, y0 = min(max(x0, 0), pw - 1), min(max(y0, 0), ph - 1)
        return block(page, pw, x0, y0, min(max(x1, x0 + 1), pw), min(max(y1, y0 + 1), ph))

    columns, rows = w // BLOCK, h // BLOCK
    exported, printed = {}, {}
    fill_faults = 0
    for by in range(rows):
        for bx in range(columns):
            ex = block(export, w, bx * BLOCK, by * BLOCK, (bx + 1) * BLOCK, (by + 1) * BLOCK)
            # Ink is looked for in the block on paper and one export pixel around it (a hairline may
            # land a pixel off); colours a little inside it, so that an outline next to the block does
            # not count.
            pr = paper_block(bx, by, -s)
            exported[bx, by], printed[bx, by] = ex[2], pr[2]
            colour = paper_block(bx, by, 0.2 * BLOCK * s)[0]
            if not ex[2] and ex[1] < 8 and max(abs(a - b) for a, b in zip(ex[0], colour)) > 40:
                fill_faults += 1
                if fill_faults <= 5:
                    faults.append(f"block {bx},{by}: colour {pr[0]} on paper, {ex[0]} exported")

    def near(blocks, bx, by):
        return any(blocks.get((bx + dx, by + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    missing = [b for b, i in exported.items() if i and not near(printed, *b)]
    stray = [b for b, i in printed.items() if i and not near(exported, *b)]
    inked = sum(exported.values())
    print(f"{columns * rows} blocks, {inked} with ink; {len(missing)} missing on paper, {len(stray)} stray")
    if inked == 0:
        faults.append("the export shows no ink to compare")
    # Outlines one pixel wide reach the printer as hairlines, and where a box's picture ends on its
    # outline the picture may cover that hairline: a few blocks of outline may go without ink.
    if len(missing) > 0.03 * inked:
        faults.append(f"ink missing on paper in blocks {missing[:8]}")
    if stray:
        faults.append(f"ink on paper where the export has none, blocks {stray[:8]}")
    for fault in faults:
        print("FAULT:", fault)
    sys.exit(1 if faults else 0)


main()
