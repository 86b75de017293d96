#!/usr/bin/python3
"""Prints the transform benchmark's JSON output as one table of times and ratios.

Usage: ratio_table.py RESULTS.json
Times are the median CPU time of the repetitions, in milliseconds; for the contenders
shared among threads ("...-Nthreads"), the median wall time.
"""
import json
import sys

KERNELS = ["scalar", "avx2", "avx512"]


def median_times(results):
    times = {}
    for run in results["benchmarks"]:
        if run.get("error_occurred"):
            continue
        aggregate = run.get("aggregate_name")
        if aggregate not in (None, "median"):
            continue
        contender, shape = run["run_name"].split("/")[:2]
        clock = "real_time" if contender.endswith("threads") else "cpu_time"
        if aggregate == "median" or (contender, shape) not in times:
            times[(contender, shape)] = run[clock]
    return times


def print_shared_table(times, shapes):
    shared = sorted({c for c, _ in times if c.endswith("threads") and c.startswith("widmo-")})
    for contender in shared:
        threads = contender[len("widmo-"):]
        fftw_name = "fftw-" + threads
        print()
        print(f"| shape | {fftw_name} ms | {contender} ms | {contender}/{fftw_name} |")
        print("|---|---|---|---|")
        for shape in shapes:
            fftw = times.get((fftw_name, shape))
            ours = times.get((contender, shape))
            row = [shape] + [f"{t:.1f}" if t else "-" for t in (fftw, ours)]
            row.append(f"{ours / fftw:.2f}" if ours and fftw else "-")
            print("| " + " | ".join(row) + " |")


def main():
    with open(sys.argv[1]) as handle:
        results = json.load(handle)
    times = median_times(results)
    shapes = sorted({shape for _, shape in times}, key=lambda s: [int(n) for n in s.split("x")])
    header = ["shape", "fftw ms"] + [k + " ms" for k in KERNELS] + ["plain ms"]
    header += [k + "/fftw" for k in KERNELS] + ["plain/best"]
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    for shape in shapes:
        row = [shape]
        fftw = times.get(("fftw", shape))
        plain = times.get(("plain", shape))
        kernels = [times.get((k, shape)) for k in KERNELS]
        row += [f"{t:.1f}" if t else "-" for t in [fftw] + kernels + [plain]]
        row += [f"{t / fftw:.2f}" if t and fftw else "-" for t in kernels]
        best = min((t for t in kernels if t), default=None)
        row.append(f"{plain / best:.1f}" if plain and best else "-")
        print("| " + " | ".join(row) + " |")
    print_shared_table(times, shapes)


if __name__ == "__main__":
    main()
