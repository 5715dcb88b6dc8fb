#!/usr/bin/env python3
"""Turns the frame benchmark's JSON output into the performance page and its chart.

Usage: bench_report.py RESULTS.json PAGE.md CHART.png

Prints the table of case medians and tracked ratios, writes the Markdown page (table, machine,
date, how to re-run) and a horizontal bar chart of the medians.
"""

import datetime
import json
import os
import re
import statistics
import sys

# Case, what it renders. The order is the table's and the chart's.
CASES = [
    ("Default16", "all defaults, 16-bit, 2 workers"),
    ("Default16/1worker", "all defaults, 16-bit, 1 worker"),
    ("Default8", "all defaults, 8-bit"),
    ("DefaultFloat", "all defaults, 32-bit float"),
    ("Gaussian30_16", "Gaussian, Blur Amount 30, G and B 0: radius 31 on every channel, 16-bit"),
    ("Gaussian30_Float", "the same in 32-bit float"),
    ("Gaussian30_16/1worker", "Gaussian30_16 with 1 worker"),
    ("SmallRadius8_CelArt", "edge smoothing + radius-2 box on 8-bit cel art"),
    ("SmallRadius8_Flat", "the same settings on a flat 8-bit frame"),
    ("NoWork8", "nothing to do (a copy), 8-bit"),
    ("Key20_16", "key colour 1 on a colour of the picture, range 20 %, 16-bit"),
    ("Key50_16", "the same within 50 %: most of the frame selected, 16-bit"),
    ("NoWork16", "nothing to do (a copy), 16-bit"),
    ("Memcpy16", "memcpy of the 16-bit frame: the memory floor"),
    ("OpenCvBox16", "OpenCV peer: the defaults' box schedule, 16-bit planes"),
    ("OpenCvGaussian30_16", "OpenCV peer: Gaussian, radius 31, 16-bit planes"),
    ("OpenCvGaussian30_Float", "OpenCV peer: Gaussian, radius 31, float planes"),
]

# Label, numerator, denominator, comparison and target.
RATIOS = [
    ("Default16 / OpenCvBox16", "Default16", "OpenCvBox16", "<=", 0.5),
    ("Default16 / Memcpy16", "Default16", "Memcpy16", "<=", 6),
    ("Gaussian30_16 / OpenCvGaussian30_16", "Gaussian30_16", "OpenCvGaussian30_16", "<=", 1.0),
    ("Gaussian30_Float / OpenCvGaussian30_Float", "Gaussian30_Float", "OpenCvGaussian30_Float", "<=", 1.0),
    ("Default16 2-worker speed-up (1 worker / 2)", "Default16/1worker", "Default16", ">=", 1.8),
    ("Gaussian30_16 2-worker speed-up (1 worker / 2)", "Gaussian30_16/1worker", "Gaussian30_16", ">=", 1.8),
    ("Default8 / Default16", "Default8", "Default16", "<=", 0.6),
    ("DefaultFloat / Default16", "DefaultFloat", "Default16", "<=", 1.5),
    ("SmallRadius8_CelArt / Default16", "SmallRadius8_CelArt", "Default16", "<=", 0.5),
    ("SmallRadius8_Flat / NoWork8", "SmallRadius8_Flat", "NoWork8", "<=", 3),
    ("Key20_16 / Default16", "Key20_16", "Default16", "<=", 1.2),
    ("NoWork16 / Memcpy16", "NoWork16", "Memcpy16", "<=", 3),
]

# Why a ratio can miss its target whatever the loops do: printed under the ratios for each one
# a run misses.
BOUNDS = {
    "Default8 / Default16": "8-bit frames blur in 16-bit steps (each value widened on the way in and narrowed on "
    "the way out), so that their pixels are those of the 16-bit arithmetic. Both depths do the same arithmetic "
    "on the same number of values; only reading and writing the frame is cheaper in 8 bits.",
    "DefaultFloat / Default16": "Float frames read and write twice the bytes of 16-bit ones and sum in double "
    "precision, four values to a vector where 16-bit sums go eight at a time: they cost about one and a half "
    "times as much, and the ratio sits on its target.",
    "SmallRadius8_CelArt / Default16": "On cel art the edge smoothing finds a stair step at most edges and "
    "blends millions of pixels, each after following its step's run; that work alone costs more than the "
    "whole default frame. On a flat picture (SmallRadius8_Flat) the same settings cost little more "
    "than a copy.",
    "Key20_16 / Default16": "Building the key mask asks the host's RGBtoHLS once for every distinct 8-bit colour "
    "of the frame (about 1.8 million in this picture) and looks up a verdict for every pixel, which alone "
    "costs more than the whole default frame; the masked passes after it cost more again.",
}

RERUN = "bash scripts/bench.sh"

# What Google Benchmark appends to a name for the run options.
RUN_OPTION = re.compile(r"/(iterations:\d+|repeats:\d+|process_time|real_time|manual_time|threads:\d+)")

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def case_name(run):
    return RUN_OPTION.sub("", run.get("run_name", run["name"]))


def read_results(path):
    """Per case: the median wall-clock and CPU milliseconds of its runs, their count, any error."""
    with open(path) as file:
        data = json.load(file)
    runs = {}
    for run in data["benchmarks"]:
        if run.get("run_type", "iteration") != "iteration":
            continue  # the aggregates are recomputed from the runs below
        entry = runs.setdefault(case_name(run), {"real": [], "cpu": [], "error": None})
        if run.get("error_occurred"):
            entry["error"] = run.get("error_message", "error")
            continue
        scale = TO_MS[run.get("time_unit", "ns")]
        entry["real"].append(run["real_time"] * scale)
        entry["cpu"].append(run["cpu_time"] * scale)
    medians = {}
    for name, entry in runs.items():
        medians[name] = {
            "ms": statistics.median(entry["real"]) if entry["real"] else None,
            "cpu": statistics.median(entry["cpu"]) if entry["cpu"] else None,
            "runs": len(entry["real"]),
            "error": entry["error"],
        }
    return data.get("context", {}), medians


def ratio_rows(medians):
    rows = []
    for label, top, bottom, comparison, target in RATIOS:
        a = medians.get(top, {}).get("ms")
        b = medians.get(bottom, {}).get("ms")
        value = a / b if a is not None and b else None
        met = None if value is None else (value <= target if comparison == "<=" else value >= target)
        rows.append((label, value, f"{comparison} {target:g}", met))
    return rows


def machine():
    model, processors = "unknown CPU", 0
    try:
        with open("/proc/cpuinfo") as file:
            for line in file:
                key, _, value = line.partition(":")
                if key.strip() == "model name" and model == "unknown CPU":
                    model = value.strip()
                elif key.strip() == "processor":
                    processors += 1
    except OSError:
        pass
    return model, processors or os.cpu_count()


def measured(context):
    """When the run started (Google Benchmark's context), in UTC; now when it does not say."""
    moment = datetime.datetime.now(datetime.timezone.utc)
    try:
        moment = datetime.datetime.fromisoformat(context["date"]).astimezone(datetime.timezone.utc)
    except (KeyError, ValueError):
        pass
    return moment.strftime("%Y-%m-%d %H:%M UTC")


def number(value, digits=1):
    return "-" if value is None else f"{value:.{digits}f}"


def met_text(met):
    return "-" if met is None else ("yes" if met else "no")


def print_tables(medians, ratios):
    width = max(len(name) for name, _ in CASES)
    print(f"{'case':<{width}}  {'median ms':>10}  {'CPU ms':>9}  runs")
    for name, _ in CASES:
        m = medians.get(name, {})
        text = m.get("error") and "error: " + m["error"]
        print(f"{name:<{width}}  {number(m.get('ms')):>10}  {number(m.get('cpu')):>9}  {m.get('runs', 0):>4}"
              + (f"  {text}" if text else ""))
    print()
    width = max(len(label) for label, *_ in ratios)
    print(f"{'ratio':<{width}}  {'value':>6}  {'target':>7}  met")
    for label, value, target, met in ratios:
        print(f"{label:<{width}}  {number(value, 2):>6}  {target:>7}  {met_text(met)}")


def write_page(path, chart_path, context, medians, ratios):
    model, processors = machine()
    now = measured(context)
    load = context.get("load_avg")
    repetitions = max((m["runs"] for m in medians.values()), default=0)
    chart = os.path.relpath(chart_path, os.path.dirname(os.path.abspath(path)))
    lines = [
        "# Performance",
        "",
        "Time to render one UHD frame (3840 x 2160, opaque, a smooth and slightly noisy picture unless",
        "said otherwise) through the embedded host: the effect module loaded as After Effects loads it,",
        "SmartFX pre-render and render, the host's part counted in (it lends the input and takes every",
        "output back for the next frame, as a host reuses its frame buffers). Beside it an OpenCV peer",
        "runs the same blur schedule on the same frame, one",
        "channel plane at a time, and a plain `memcpy` of the 16-bit frame marks the memory floor.",
        "Effect and peer get 2 threads unless the case says 1.",
        "",
        f"Measured {now} on {model}, {processors} logical CPUs"
        + (f", load average {', '.join(f'{x:.2f}' for x in load)} at the start" if load else "")
        + ". The machine is shared with other builds, so the figures are noisy.",
        "",
        f"Each figure is the median of {repetitions} runs of one frame, every run after a warm-up frame;",
        "CPU time is the whole process's (all threads).",
        "",
        "## Ratios the project tracks",
        "",
        "| Ratio | Value | Target | Met |",
        "|---|---:|---:|:---:|",
    ]
    for label, value, target, met in ratios:
        lines.append(f"| {label} | {number(value, 2)} | {target.replace('<=', '≤').replace('>=', '≥')} "
                     f"| {met_text(met)} |")
    missed = [(label, BOUNDS[label]) for label, _, _, met in ratios if met is False and label in BOUNDS]
    if missed:
        lines += ["", "Where a ratio misses its target for a reason no faster loop removes:", ""]
        lines += [f"- {label}: {why}" for label, why in missed]
    lines += [
        "",
        "## Frame times",
        "",
        "| Case | What | Median ms | CPU ms |",
        "|---|---|---:|---:|",
    ]
    for name, what in CASES:
        m = medians.get(name, {})
        median = "error: " + m["error"] if m.get("error") else number(m.get("ms"))
        lines.append(f"| {name} | {what} | {median} | {number(m.get('cpu'))} |")
    lines += [
        "",
        f"![Median frame times]({chart})",
        "",
        "Reading the figures: every effect case includes the host's own part of a frame, so a frame",
        "with nothing to do (NoWork) is the effect's one copy of the frame plus the host's bookkeeping,",
        "beside Memcpy16, one copy between buffers already in use. The 2-worker speed-ups need two free CPUs: when",
        "other work holds the machine, a case's CPU time stays near its wall-clock time and the",
        "speed-up stays near 1 whatever the effect does.",
        "",
        "## Running it again",
        "",
        f"    {RERUN}",
        "",
        "installs what it needs (Google Benchmark, OpenCV and matplotlib besides the native build's",
        "packages), builds a native Release build with benchmarks in `build/bench`, runs every case of",
        "`build/bench/bin/velumixer_frame_bench` with repetitions into `build/bench/frame-bench.json`",
        "and writes this page and its chart again with `scripts/bench_report.py`. A single case runs",
        "on its own with `--benchmark_filter`, e.g.",
        "`build/bench/bin/velumixer_frame_bench --benchmark_filter=Default16 --benchmark_repetitions=5`.",
        "",
    ]
    with open(path, "w") as file:
        file.write("\n".join(lines))


def write_chart(path, medians):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    names = [name for name, _ in CASES if medians.get(name, {}).get("ms") is not None]
    values = [medians[name]["ms"] for name in names]
    colours = ["#8c8c8c" if name.startswith("Memcpy") else "#e07b39" if name.startswith("OpenCv") else "#3b6ea5"
               for name in names]
    figure, axes = plt.subplots(figsize=(9, 0.42 * len(names) + 1.4))
    bars = axes.barh(names, values, color=colours)
    axes.invert_yaxis()
    axes.set_xscale("log")
    axes.set_xlabel("median ms per UHD frame (log scale)")
    axes.set_title("Velumixer frame times through the embedded host")
    for bar, value in zip(bars, values):
        axes.text(bar.get_width() * 1.05, bar.get_y() + bar.get_height() / 2, f"{value:.1f}", va="center", fontsize=8)
    axes.set_xlim(left=1, right=max(values) * 3)
    from matplotlib.patches import Patch

    axes.legend(handles=[Patch(color="#3b6ea5", label="effect"), Patch(color="#e07b39", label="OpenCV peer"),
                         Patch(color="#8c8c8c", label="memcpy floor")], loc="upper right", fontsize=8)
    figure.tight_layout()
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    figure.savefig(path, dpi=110)
    plt.close(figure)


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__.strip().splitlines()[2])
    results, page, chart = argv[1:]
    context, medians = read_results(results)
    ratios = ratio_rows(medians)
    print_tables(medians, ratios)
    write_page(page, chart, context, medians, ratios)
    write_chart(chart, medians)
    print(f"\nwrote {page} and {chart}")


if __name__ == "__main__":
    main(sys.argv)
