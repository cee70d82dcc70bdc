"""Compares a browser's rendering of the SVG export with a pixel export of the same chart.

Usage: compare_pictures.py browser.rgb export.rgb width height boxes.txt
The .rgb files hold raw 8-bit RGB rows; boxes.txt the "box left top right bottom text|plain"
lines of the sample chart. Outside the boxes, on their outlines and inside boxes without text,
every pixel must be the same; inside a box with text, both must show ink (pixels unlike the
box's fill) of a similar amount in nearly the same place, as fonts differ slightly in the browser.
Prints what it found and exits 1 on any difference.
"""
import sys


def load(path, width, height):
    data = open(path, "rb").read()
    if len(data) != width * height * 3:
        sys.exit(f"{path}: {len(data)} bytes, not {width} x {height} RGB")
    return [data[i:i + 3] for i in range(0, len(data), 3)]


def main():
    browser_path, export_path, width, height, boxes_path = sys.argv[1:6]
    width, height = int(width), int(height)
    browser, export = load(browser_path, width, height), load(export_path, width, height)
    boxes = []
    for line in open(boxes_path):
        parts = line.split()
        if parts and parts[0] == "box":
            boxes.append((int(parts[1]), int(parts[2]), int(parts[3]), int(parts[4]), parts[5] == "text"))
    failures = []

    def inside(x, y, box, inset=0):
        return box[0] + inset <= x < box[2] - inset and box[1] + inset <= y < box[3] - inset

    exact_checked = exact_differing = 0
    for y in range(height):
        for x in range(width):
            interior = next((b for b in boxes if inside(x, y, b, 1)), None)
            if interior and interior[4]:
                continue  # text boxes are compared by their ink below
            exact_checked += 1
            if browser[y * width + x] != export[y * width + x]:
                exact_differing += 1
                if exact_differing <= 5:
                    failures.append(f"pixel {x},{y}: browser {browser[y * width + x].hex()} "
                                    f"export {export[y * width + x].hex()}")
    print(f"outlines, fills, background and pictures: {exact_differing} of {exact_checked} pixels differ")
    if exact_differing:
        failures.append(f"{exact_differing} pixels differ outside the texts")

    for box in (b for b in boxes if b[4]):
        fill = export[(box[1] + 2) * width + box[0] + 2]
        found = []
        for picture in (export, browser):
            xs, ys = [], []
            for y in range(box[1] + 1, box[3] - 1):
                for x in range(box[0] + 1, box[2] - 1):
                    if picture[y * width + x] != fill:
                        xs.append(x)
                        ys.append(y)
            found.append((len(xs), min(xs, default=0), min(ys, default=0), max(xs, default=0), max(ys, default=0)))
        (ink_e, *bbox_e), (ink_b, *bbox_b) = found
        print(f"box {box[:4]}: ink export {ink_e} at {bbox_e}, browser {ink_b} at {bbox_b}")
        if ink_e == 0 or ink_b == 0:
            failures.append(f"box {box[:4]}: no text ink")
        elif not (ink_e / 2.5 <= ink_b <= ink_e * 2.5):
            failures.append(f"box {box[:4]}: ink {ink_b} in the browser against {ink_e}")
        elif max(abs(a - b) for a, b in zip(bbox_e, bbox_b)) > 8:
            failures.append(f"box {box[:4]}: text at {bbox_b} in the browser against {bbox_e}")

    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


main()
