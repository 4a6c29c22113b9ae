#!/usr/bin/python3
"""demo_latency.py [RUNS]: how long the demo's 自動 click takes against the waits the program
itself asks for during it. Runs the demo scenario (e2e/demo/demo.scn) RUNS times (default 3)
through e2e/run_scenarios.sh under wine, and reads the line Velsarom.exe writes for the click
(VELSAROM_TIMING, see shell/win32/ClickTiming.h): its click-to-done time, from the handler's
start to its end, wine's start-up excluded, and the sum of the pauses it asked of its event
loop (the prompt polls, the fixed 100 ms pauses before each reading of the host's lines, the
file waits). Prints one line per run and the median ratio; the goal is at most 1.3. The time
outside the pauses is the host's handling of the commands sent to it and Velsarom's own work.

Needs the Windows build (bash scripts/build.sh win); BUILD_WIN names another one.
"""
import os
import re
import statistics
import subprocess
import sys
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
GOAL = 1.3
LINE = re.compile(r"^Button10 click-to-done ([\d.]+) ms; waits asked (\d+) ms in (\d+) pauses, "
                  r"slept ([\d.]+) ms")


def one_run(build_win: Path) -> tuple[float, int, int, float]:
    clicks = build_win / "artifacts/scenarios/demo/clicks.txt"
    clicks.unlink(missing_ok=True)
    run = subprocess.run(["bash", str(REPO / "e2e/run_scenarios.sh"),
                          str(REPO / "e2e/demo/demo.scn")],
                         capture_output=True, text=True, timeout=900)
    if run.returncode != 0:
        raise SystemExit(f"the demo scenario failed:\n{run.stdout}{run.stderr}")
    for line in clicks.read_text(encoding="utf-8").splitlines():
        m = LINE.match(line)
        if m:
            return float(m[1]), int(m[2]), int(m[3]), float(m[4])
    raise SystemExit(f"no line for the 自動 click (Button10) in {clicks}")


def main(argv: list) -> int:
    runs = int(argv[1]) if len(argv) > 1 else 3
    build_win = Path(os.environ.get("BUILD_WIN", REPO / "build/win"))
    ratios = []
    for i in range(1, runs + 1):
        wall, asked, pauses, slept = one_run(build_win)
        ratio = wall / asked
        ratios.append(ratio)
        print(f"run {i}: 自動 click-to-done {wall:.1f} ms; waits asked {asked} ms in {pauses} "
              f"pauses (slept {slept:.1f} ms); outside the pauses {wall - slept:.1f} ms; "
              f"ratio {ratio:.3f}", flush=True)
    median = statistics.median(ratios)
    print(f"自動 on the demo parcel: wall time / prescribed waits = {median:.3f} (median of "
          f"{runs}; goal at most {GOAL}) {'met' if median <= GOAL else 'NOT met'}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
