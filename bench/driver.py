"""Runs the benchmarks built in one folder and prints a table of medians.

    python3 driver.py BENCH_FOLDER RUNS

Start-up: the program and the bare toolkit window start alternately (in
A B B A order, so neither always runs second) in a private Xvfb; each prints
one line at its first painted frame, and the time from spawning it to reading
that line is its start-up time. Reaction: the QtTest benchmark on the offscreen
platform, each function measured as the median of 11 rounds.
Exit status 1 when a target is missed.
"""

import os
import re
import statistics
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

STARTUP_RATIO_TARGET = 1.3
MEMORY_TARGET_KIB = 8 * 1024
CLICK_TARGET_MS = 2.0
HANDLER_TARGET_MS = 0.050
WARM_UP = 3


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as meminfo:
        total_kib = int(meminfo.readline().split()[1])
    return f"{len(os.sched_getaffinity(0))} cores, {model}, {total_kib / 1048576:.1f} GiB, Linux {os.uname().release}"


def load():
    with open("/proc/loadavg") as loadavg:
        return " ".join(loadavg.read().split()[:3])


def start_xvfb(work):
    read_end, write_end = os.pipe()
    log = open(os.path.join(work, "xvfb.log"), "w")
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=log, stderr=log)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start; see its log: " + log.name)
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


def first_frame(program, env):
    """Seconds from spawning the program to its first-frame line, and its memory in KiB."""
    started = time.perf_counter()
    process = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
    line = process.stdout.readline().decode()
    elapsed = time.perf_counter() - started
    _, errors = process.communicate(timeout=30)
    match = re.fullmatch(r"first-frame rss_kib=(\d+) hwm_kib=(\d+)\n", line)
    if process.returncode != 0 or not match:
        raise RuntimeError(f"{program} failed (status {process.returncode}): {line!r} {errors.decode()}")
    return elapsed, int(match.group(1)), int(match.group(2))


def startup(folder, runs, work):
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    server, display = start_xvfb(work)
    env = {key: value for key, value in os.environ.items()
           if not key.startswith("QT_") and key not in ("WAYLAND_DISPLAY", "DISPLAY")}
    env.update(DISPLAY=display, XDG_RUNTIME_DIR=runtime)
    programs = {"app": os.path.join(folder, "bench_startup_app"),
                "floor": os.path.join(folder, "bench_startup_floor")}
    results = {"app": [], "floor": []}
    try:
        for _ in range(WARM_UP):
            for name in ("app", "floor"):
                first_frame(programs[name], env)
        for run in range(runs):
            for name in (("app", "floor") if run % 2 == 0 else ("floor", "app")):
                results[name].append(first_frame(programs[name], env))
    finally:
        server.terminate()
        server.wait()
    return results


def reaction(folder, work):
    report = os.path.join(work, "reaction.xml")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=os.path.join(work, "runtime"))
    env.pop("QT_SCALE_FACTOR", None)
    done = subprocess.run([os.path.join(folder, "bench_reaction"), "-median", "11", "-o", report + ",xml"],
                          env=env, capture_output=True, text=True)
    if done.returncode != 0:
        sys.stdout.write(done.stdout + done.stderr)
        raise RuntimeError("the reaction benchmark failed")
    results = {}
    for function in ElementTree.parse(report).getroot().iter("TestFunction"):
        for result in function.iter("BenchmarkResult"):
            if result.get("metric") == "WalltimeMilliseconds":
                iterations = int(result.get("iterations"))
                # The value is already per iteration.
                results[function.get("name")] = (float(result.get("value")), iterations)
    return results


def verdict(met):
    return "met" if met else "MISSED"


def main():
    folder, runs = sys.argv[1], int(sys.argv[2])
    print(f"Machine: {machine()}")
    print(f"Load average before: {load()}")
    missed = False
    with tempfile.TemporaryDirectory() as work:
        started = startup(folder, runs, work)
        clicks = reaction(folder, work)
    print(f"Load average after:  {load()}")

    def median(name, field):
        return statistics.median(sample[field] for sample in started[name])

    app_ms, floor_ms = median("app", 0) * 1000, median("floor", 0) * 1000
    ratio = app_ms / floor_ms
    app_rss, floor_rss = median("app", 1), median("floor", 1)
    app_hwm, floor_hwm = median("app", 2), median("floor", 2)
    print()
    print(f"Start-up to the first frame under Xvfb, median of {runs} alternating runs each "
          f"after {WARM_UP} warm-up runs")
    print(f"  {'':28} {'griffwandler':>13} {'bare window':>13} {'':>14}  target")
    print(f"  {'wall time (ms)':28} {app_ms:13.1f} {floor_ms:13.1f} {'ratio ' + format(ratio, '.2f'):>14}"
          f"  <= {STARTUP_RATIO_TARGET} {verdict(ratio <= STARTUP_RATIO_TARGET)}")
    print(f"  {'resident memory VmRSS (MiB)':28} {app_rss / 1024:13.1f} {floor_rss / 1024:13.1f} "
          f"{'+' + format((app_rss - floor_rss) / 1024, '.1f') + ' MiB':>14}"
          f"  <= +8 MiB {verdict(app_rss - floor_rss <= MEMORY_TARGET_KIB)}")
    print(f"  {'peak memory VmHWM (MiB)':28} {app_hwm / 1024:13.1f} {floor_hwm / 1024:13.1f} "
          f"{'+' + format((app_hwm - floor_hwm) / 1024, '.1f') + ' MiB':>14}")
    print(f"  all runs (ms), griffwandler: {' '.join(f'{s[0] * 1000:.1f}' for s in started['app'])}")
    print(f"  all runs (ms), bare window:  {' '.join(f'{s[0] * 1000:.1f}' for s in started['floor'])}")
    missed |= ratio > STARTUP_RATIO_TARGET or app_rss - floor_rss > MEMORY_TARGET_KIB

    rows = [("floorButtonClick", "bare window, push button click + repaint", None),
            ("fretClick", "fret click + repaint of what changed", CLICK_TARGET_MS),
            ("fretClickFullRepaint", "fret click + repaint of the window", CLICK_TARGET_MS),
            ("cardClick", "card click + repaint of what changed", CLICK_TARGET_MS),
            ("cardClickFullRepaint", "card click + repaint of the window", CLICK_TARGET_MS),
            ("fretHandler", "handler BundTaste_Click", HANDLER_TARGET_MS),
            ("cardHandler", "handler Noten1_Click", HANDLER_TARGET_MS),
            ("fretChartFunction", "chart function on the controls", HANDLER_TARGET_MS)]
    print()
    print("Reaction on the offscreen platform (QBENCHMARK, median of 11 rounds)")
    print(f"  {'':42} {'per click':>12} {'iterations':>10}  target")
    for name, label, target in rows:
        if name not in clicks:
            print(f"  {label:42} {'no result':>12}")
            missed = True
            continue
        per_ms, iterations = clicks[name]
        shown = f"{per_ms * 1000:.1f} us" if per_ms < 0.1 else f"{per_ms:.3f} ms"
        goal = ""
        if target is not None:
            goal = (f"< {target * 1000:.0f} us" if target < 0.1 else f"< {target:.0f} ms") + " " + verdict(per_ms < target)
            missed |= per_ms >= target
        print(f"  {label:42} {shown:>12} {iterations:10}  {goal}")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
