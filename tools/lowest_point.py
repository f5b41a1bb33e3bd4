#!/usr/bin/env python3
"""The lowest bandwidth point relative to its neighbours in `tidewell32 --table` outputs.

For every MB/s column of every table given (files, or standard input), each point is divided
by the lower of its two neighbours' rates (a point at either end of the range by its one
neighbour). An interrupted point shows as a ratio far below 1; a cache level ending lowers the
ratio only a little, spread over several sizes. Prints the lowest ratio of each table, then the
lowest of all, with where it was, and how many points were marked '*' (measured again).

    tidewell32 --tests read,sse-read --start 4K --end 16M --table > run1.txt
    tools/lowest_point.py run1.txt run2.txt ...
"""
import sys

FIRST_COLUMN = 16   # "  Code     Bytes": the size columns before the value columns
COLUMN_WIDTH = 14   # each value column: a blank, the value right-aligned, the mark


def columns_of(line):
    """The column texts of a header line, stripped."""
    body = line.rstrip("\n")[FIRST_COLUMN:]
    return [body[i:i + COLUMN_WIDTH].strip() for i in range(0, len(body), COLUMN_WIDTH)]


def read_table(lines):
    """{label: [(code, MB/s or None)]} for the MB/s columns, and the count of '*' marks.
    The four result lines of a run may come before the table."""
    start = next((i for i, line in enumerate(lines) if line.split()[:2] == ["Code", "Bytes"]),
                 None)
    if start is None:
        return {}, 0
    lines = lines[start:]
    labels = columns_of(lines[0])
    units = columns_of(lines[1])
    series = {label: [] for label, unit in zip(labels, units) if unit == "MB/s"}
    marks = 0
    for line in lines[2:]:
        fields = line.split()
        if not fields:
            break   # the Memory Walk matrix or the legend follows
        code, values = int(fields[0]), fields[2:]
        marks += sum(v.endswith("*") for v in values)
        for label, value in zip(labels, values):
            if label in series:
                text = value.rstrip("*")
                series[label].append((code, None if text == "-" else
                                      float(text.replace(",", "."))))
    return series, marks


def lowest_ratio(series):
    """(ratio, label, code) of the point lowest against its neighbours; None without one."""
    lowest = None
    for label, points in series.items():
        measured = [(c, v) for c, v in points if v is not None]
        for i, (code, value) in enumerate(measured):
            near = [measured[j][1] for j in (i - 1, i + 1) if 0 <= j < len(measured)]
            if not near or min(near) <= 0:
                continue
            ratio = value / min(near)
            if lowest is None or ratio < lowest[0]:
                lowest = (ratio, label, code)
    return lowest


def main(paths):
    overall, total_marks = None, 0
    for path in paths or ["-"]:
        with (sys.stdin if path == "-" else open(path, encoding="utf-8")) as f:
            series, marks = read_table(f.readlines())
        total_marks += marks
        found = lowest_ratio(series)
        if found is None:
            print(f"{path}: no bandwidth column")
            continue
        print(f"{path}: lowest {found[0]:.3f} ({found[1]}, code {found[2]}), {marks} marked")
        if overall is None or found[0] < overall[0]:
            overall = found + (path,)
    if overall:
        print(f"lowest of all: {overall[0]:.3f} ({overall[1]}, code {overall[2]}, {overall[3]}); "
              f"{total_marks} points marked '*'")
    return 0 if overall else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
