#!/usr/bin/env python3
"""Prints the ratios of the native benchmarks from Google Benchmark's JSON output, each beside its goal.

usage: ratios.py RESULTS.json...

Each ratio is a candidate's processor time over a reference's measured in the same run (the median when the
run has repetitions). A ratio whose goal is missed says MISSED; the exit status is 0 either way: a benchmark
informs, it does not fail a build.
"""
import json
import re
import sys

# (candidate, reference, goal: the ratio at most this, or None), benchmark names as registered.
RATIOS = [
    ("decode/typical", "raw/typical", 1.30),
    ("decode/unknown_key", "raw/unknown_key", 1.30),
    ("decode/long_texts", "raw/long_texts", 1.30),
    ("decode/typical", "plain/typical", None),
    ("copy/typical", "raw/typical", None),
    ("BM_LinesLineReader", "BM_LinesMemchrSplit", None),
    ("BM_SkipLineReader", "BM_SkipMemchr", None),
    ("BM_StdioLines", "BM_StdioFreadChunks", None),
    ("BM_StdioChunks", "BM_StdioFreadChunks", None),
    ("BM_ReaderFrameReader", "BM_ReaderParseOnly", None),
    ("BM_LayoutAndPaint", "BM_ParseFrameLine", None),
    ("BM_RenderFrame", "BM_RecordFrame", None),
    ("BM_PaintFrameOnly", "BM_RecordFrame", None),
    ("BM_FadeTick/damage:1", "BM_FadeTick/damage:0", 0.40),
    ("BM_ElapsedUpdate/damage:1", "BM_ElapsedUpdate/damage:0", None),
]

# (benchmark, figure, goal), a figure in its own unit beside a fixed goal.
FIGURES = [
    ("decode/typical", "MB/s", lambda run: run["bytes_per_second"] / 1e6, ">=", 300),
    ("BM_LayoutAndPaint", "us", lambda run: run["cpu_time"] * UNIT_NS[run["time_unit"]] / 1e3, "<=", 10),
    ("BM_RenderFrame", "ms", lambda run: run["cpu_time"] * UNIT_NS[run["time_unit"]] / 1e6, "<=", 5),
    ("BM_MemoryOver10000Frames/iterations:10000", "KiB growth from frame 100 to 10,000",
     lambda run: run["rss_kib_after_10000"] - run["rss_kib_after_100"], "<=", 0),
]

UNIT_NS = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}


def runs_by_name(paths):
    """The run that stands for each benchmark: its median with repetitions, else its one iteration run."""
    chosen = {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            for run in json.load(f)["benchmarks"]:
                if run.get("error_occurred"):
                    continue
                name = re.sub(r"/repeats:\d+$", "", run.get("run_name", run["name"]))
                median = run.get("aggregate_name") == "median"
                if median or (run.get("run_type") == "iteration" and name not in chosen):
                    chosen[name] = run
    return chosen


def main(paths):
    runs = runs_by_name(paths)
    ns = {name: run["cpu_time"] * UNIT_NS[run["time_unit"]] for name, run in runs.items()}
    for candidate, reference, goal in RATIOS:
        if candidate not in ns or reference not in ns or ns[reference] <= 0:
            continue
        ratio = ns[candidate] / ns[reference]
        line = f"{candidate} / {reference}: {ratio:.2f}"
        if goal is not None:
            line += f" (goal <= {goal:.2f})" + ("" if ratio <= goal else " MISSED")
        print(line)
    for name, unit, figure, sense, goal in FIGURES:
        if name not in runs:
            continue
        value = figure(runs[name])
        met = value >= goal if sense == ">=" else value <= goal
        print(f"{name}: {value:.1f} {unit} (goal {sense} {goal})" + ("" if met else " MISSED"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
