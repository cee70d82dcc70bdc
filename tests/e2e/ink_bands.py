#!/usr/bin/env python3
"""Finds the runs of rows (or columns) of a screenshot region that hold ink, that is pixels clearly
unlike the region's most common colour: the items of a popup menu, the titles of a menu bar.

Usage: ink_bands.py rows|cols WIDTH HEIGHT MIN_LENGTH MAX_GAP < region.gray
The region comes as raw 8-bit grey pixels (convert ... -colorspace gray -depth 8 gray:-). A band
is a run of ink lines at least MIN_LENGTH long, where gaps of up to MAX_GAP blank lines are bridged.
Prints one "first last" pair per band, in order.
"""
import collections
import sys


def main():
    axis, width, height, min_length, max_gap = sys.argv[1], *map(int, sys.argv[2:6])
    data = sys.stdin.buffer.read()
    if len(data) != width * height:
        sys.exit(f"expected {width * height} pixels, got {len(data)}")
    background = collections.Counter(data).most_common(1)[0][0]

    def ink(value):
        return abs(value - background) > 40

    if axis == "rows":
        lines = [any(ink(v) for v in data[y * width:(y + 1) * width]) for y in range(height)]
    else:
        lines = [any(ink(data[y * width + x]) for y in range(height)) for x in range(width)]

    bands = []
    start = last = None
    for index, has_ink in enumerate(lines):
        if not has_ink:
            continue
        if start is not None and index - last - 1 <= max_gap:
            last = index
            continue
        if start is not None:
            bands.append((start, last))
        start = last = index
    if start is not None:
        bands.append((start, last))
    for first, end in bands:
        if end - first + 1 >= min_length:
            print(first, end)


if __name__ == "__main__":
    main()
