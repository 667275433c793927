#!/usr/bin/env python3
"""Runs Tallivox's benchmarks against a bare Qt window built in the same tree
and prints one Markdown table: medians for both, runs interleaved, and their
ratio. Start-up and memory are also set against the bare window with one
label, which shows what any text at all costs. usage: run_bench.py BUILD_DIR [--runs N]"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import time


def start_xvfb():
    """Starts a private Xvfb and returns (process, display) or (None, None)."""
    if not shutil.which("Xvfb"):
        return None, None
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                              pass_fds=[write_end], stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    return server, ":" + number


def startup_once(command, environment):
    """Milliseconds from process start to the first painted frame, peak RSS in KiB, and the painted size."""
    started = time.monotonic_ns()
    child = subprocess.Popen(command, env=environment, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    output = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0 or not output.strip():
        sys.exit(f"{command[0]} failed (status {child.returncode})")
    painted, width, height = output.split()
    return (int(painted) - started) / 1e6, usage.ru_maxrss, [width, height]


def clicks(binary, mode, count, environment, size=()):
    output = subprocess.run([binary, mode, str(count), *size], env=environment, check=True, capture_output=True,
                            text=True).stdout
    return [int(sample) / 1e6 for sample in output.split()]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=20)
    args = parser.parse_args()
    bench = os.path.join(args.build, "bench")
    program, bare = os.path.join(bench, "startup_tallivox"), os.path.join(bench, "startup_bare")
    labelled = os.path.join(bench, "startup_bare_label")

    rows = []

    def row(figure, ours, floor, unit, target="", text_floor=None, ratio=None):
        if ratio is None:
            ratio = f"{ours / floor:.2f}" if floor else ""
        text_ratio = f"{text_floor:.3g} {unit} ({ours / text_floor:.2f})" if text_floor else ""
        rows.append((figure, f"{ours:.3g} {unit}", f"{floor:.3g} {unit}" if floor else "", ratio, target,
                     text_ratio))

    platforms = [("offscreen", dict(os.environ, QT_QPA_PLATFORM="offscreen"))]
    # The bare windows are as large as Tallivox's, which it reports itself.
    size = startup_once([program], platforms[0][1])[2]
    commands = {program: [program], bare: [bare, *size], labelled: [labelled, *size]}
    server, display = start_xvfb()
    if server:
        platforms.append(("Xvfb", dict(os.environ, QT_QPA_PLATFORM="xcb", DISPLAY=display)))
    try:
        for name, environment in platforms:
            binaries = (program, bare, labelled)
            times = {binary: [] for binary in binaries}
            memory = {binary: [] for binary in binaries}
            for binary in binaries:  # warm the file cache, not counted
                startup_once(commands[binary], environment)
            for _ in range(args.runs):
                for binary in binaries:
                    elapsed, peak, _ = startup_once(commands[binary], environment)
                    times[binary].append(elapsed)
                    memory[binary].append(peak / 1024)
            median_time = {binary: statistics.median(times[binary]) for binary in binaries}
            median_memory = {binary: statistics.median(memory[binary]) for binary in binaries}
            row(f"start-up to first paint, {name}", median_time[program], median_time[bare], "ms", "≤ 1.15",
                median_time[labelled])
            row(f"peak resident memory, {name}", median_memory[program], median_memory[bare], "MiB", "≤ 1.10",
                median_memory[labelled])
    finally:
        if server:
            server.terminate()
            server.wait()

    offscreen = platforms[0][1]
    latency = os.path.join(bench, "click_latency")
    ours, floor, long_operand = [], [], []
    for _ in range(10):  # 10 interleaved runs of 100 clicks: 1000 clicks each
        ours += clicks(latency, "tallivox", 100, offscreen)
        floor += clicks(latency, "bare", 100, offscreen, size)
    for _ in range(5):
        long_operand += clicks(latency, "tallivox-long", 4, offscreen)
    row("click to painted result box, 1000 clicks", statistics.median(ours), statistics.median(floor), "ms",
        "< 1 ms")
    row("same, a million-character operand", statistics.median(long_operand), statistics.median(ours), "ms",
        "(ratio to a short one)")

    report = subprocess.run([os.path.join(bench, "operand_bench"), "--benchmark_format=json",
                             "--benchmark_filter=readFraction", "--benchmark_repetitions=3",
                             "--benchmark_report_aggregates_only=true"],
                            check=True, capture_output=True, text=True).stdout
    rates = {}
    for result in json.loads(report)["benchmarks"]:
        if result.get("aggregate_name") == "median":
            rates[int(result["run_name"].split("/")[1])] = result["items_per_second"]
    for length in sorted(rates):
        # Ratio: cost per character against the thousand-character text.
        row(f"operand reading, {length:,} characters", rates[length] / 1e6, None, "M chars/s",
            "≥ 200 M chars/s", ratio=f"{rates[1000] / rates[length]:.2f}")

    print("| figure | Tallivox | bare window | ratio | target | bare window with one label (ratio) |")
    print("|---|---|---|---|---|---|")
    for figure in rows:
        print("| " + " | ".join(figure) + " |")
    print(f"\nMedians over {args.runs} interleaved start-ups per platform; clicks on the offscreen platform. "
          "Operand rows: ratio is the cost per character against a 1,000-character text.")


if __name__ == "__main__":
    main()
