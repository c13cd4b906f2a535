"""Start-up of the Windows program under Wine against a bare Qt window built
with the same static Qt: time from spawning each exe to its first painted
frame, alternately (A B B A), medians and their ratio.

    python3 wine_startup.py BENCH_FOLDER RUNS

Runs in a private Xvfb and a Wine prefix of its own beside the exes; the Wine
server is started once and kept warm, as on a desktop where Wine already runs.
Exit status 1 when the ratio misses its target.
"""

import os
import shutil
import statistics
import subprocess
import sys
import time

from driver import start_xvfb

RATIO_TARGET = 1.3
WARM_UP = 3


def prepare_prefix(env, work):
    settings = os.path.join(work, "settings.reg")
    with open(settings, "w") as reg:
        reg.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n\"Managed\"=\"N\"\n")
    subprocess.run(["wineboot", "-i"], env=env, check=True, capture_output=True, timeout=180)
    subprocess.run(["wine", "regedit", "/S", "Z:" + settings.replace("/", "\\")], env=env, check=True,
                   capture_output=True, timeout=60)
    fonts = os.path.join(env["WINEPREFIX"], "drive_c", "windows", "Fonts")
    for name in os.listdir("/usr/share/wine/fonts"):
        shutil.copy(os.path.join("/usr/share/wine/fonts", name), fonts)


def first_frame(exe, env):
    """Seconds from spawning `wine exe` to its first-frame line."""
    begin = time.perf_counter()
    process = subprocess.Popen(["wine", exe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
    line = process.stdout.readline()
    elapsed = time.perf_counter() - begin
    process.wait(timeout=30)
    if not line.startswith(b"first-frame"):
        raise RuntimeError(f"{exe} printed {line!r} instead of its first-frame line")
    return elapsed


def main():
    folder, runs = sys.argv[1], int(sys.argv[2])
    app = os.path.abspath(os.path.join(folder, "bench_startup_app.exe"))
    floor = os.path.abspath(os.path.join(folder, "bench_startup_floor.exe"))
    work = os.path.abspath(os.path.join(folder, "wine-bench"))
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "runtime"), mode=0o700)
    xvfb, display = start_xvfb(work)
    env = dict(os.environ, DISPLAY=display, WINEPREFIX=os.path.join(work, "prefix"), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
               XDG_RUNTIME_DIR=os.path.join(work, "runtime"))
    env.pop("QT_QPA_PLATFORM", None)
    try:
        prepare_prefix(env, work)
        subprocess.run(["wineserver", "-p"], env=env, check=True)  # stays up until killed
        for _ in range(WARM_UP):
            first_frame(app, env)
            first_frame(floor, env)
        times = {app: [], floor: []}
        for run in range(runs):
            order = (app, floor) if run % 2 == 0 else (floor, app)
            for exe in order:
                times[exe].append(first_frame(exe, env))
    finally:
        subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)

    app_ms = statistics.median(times[app]) * 1000
    floor_ms = statistics.median(times[floor]) * 1000
    ratio = app_ms / floor_ms
    met = ratio <= RATIO_TARGET
    print(f"Windows start-up under Wine, {runs} alternating runs each (medians):")
    print(f"  griffwandler {app_ms:.1f} ms, bare window {floor_ms:.1f} ms, "
          f"ratio {ratio:.2f} (target <= {RATIO_TARGET}) {'met' if met else 'MISSED'}")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
