#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
"""Draws the benchmark plot from Google Benchmark's JSON output.

    build/bench/langcore_bench --benchmark_out=bench.json --benchmark_out_format=json
    bench/plot.py bench.json docs/benchmarks.svg

It runs on the system Python, whose matplotlib is Debian's python3-matplotlib.

Left: the matrix product in GFLOP/s (2 n^3 per call) against n, one line per
Mtimes_<Variant>. Right: element-wise real plus in ns per element against
the element count, one line per ElementwisePlusReal_<Variant>. With
repetitions, the median stands for each point; otherwise the fastest run.
"""

import argparse
import json
import re
from collections import defaultdict

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

NS_PER_UNIT = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
# What each variant is, for the legend; unknown variants keep their name.
LABELS = {
    "Baseline": "-O3 loop, existing buffer",
    "Fresh": "-O3 loop, fresh result",
    "Apply": "langcore",
    "Generic": "langcore, generic path",
    "Held": "langcore, previous result held",
}
# The product's baseline is OpenBLAS, and its textbook loop is a variant.
GROUP_LABELS = {"Mtimes": {"Baseline": "OpenBLAS dgemm, 1 thread", "Textbook": "textbook triple loop"}}
NAME = re.compile(r"^(?P<group>[A-Za-z0-9]+)_(?P<variant>[A-Za-z0-9]+)/(?P<size>\d+)")


def load(path, field):
    """{group: {variant: {size: nanoseconds per call}}}"""
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    has_median = any(r.get("aggregate_name") == "median" for r in runs)
    series = defaultdict(lambda: defaultdict(dict))
    for r in runs:
        if r.get("error_occurred"):
            continue
        if has_median and r.get("aggregate_name") != "median":
            continue
        m = NAME.match(r["run_name"] if has_median else r["name"])
        if not m:
            continue
        ns = r[field] * NS_PER_UNIT[r["time_unit"]]
        points = series[m["group"]][m["variant"]]
        size = int(m["size"])
        points[size] = min(ns, points.get(size, ns))
    return series


def draw(ax, group, variants, value, title, ylabel):
    labels = {**LABELS, **GROUP_LABELS.get(group, {})}
    for variant, points in sorted(variants.items()):
        sizes = sorted(points)
        ax.plot(sizes, [value(n, points[n]) for n in sizes], marker="o", label=labels.get(variant, variant))
    ax.set_xscale("log")
    ax.set_title(title)
    ax.set_xlabel("size")
    ax.set_ylabel(ylabel)
    ax.grid(True, which="both", alpha=0.3)
    ax.legend()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("json", help="Google Benchmark JSON output")
    parser.add_argument("svg", help="the plot to write")
    parser.add_argument("--cpu", action="store_true", help="use CPU time instead of real time")
    args = parser.parse_args()
    series = load(args.json, "cpu_time" if args.cpu else "real_time")

    fig, (product, plus) = plt.subplots(1, 2, figsize=(12, 4.5))
    if series.get("Mtimes"):
        gflops = lambda n, ns: 2.0 * n**3 / ns  # noqa: E731
        draw(product, "Mtimes", series["Mtimes"], gflops, "matrix product, n x n reals", "GFLOP/s")
    else:
        product.set_title("matrix product: no Mtimes_* runs in the input")
    if series.get("ElementwisePlusReal"):
        per_element = lambda n, ns: ns / n  # noqa: E731
        draw(plus, "ElementwisePlusReal", series["ElementwisePlusReal"], per_element, "element-wise real plus",
             "ns per element")
        plus.set_yscale("log")
    else:
        plus.set_title("element-wise plus: no ElementwisePlusReal_* runs in the input")
    fig.tight_layout()
    fig.savefig(args.svg, format="svg", metadata={"Date": None})  # the same input gives the same file


if __name__ == "__main__":
    main()
