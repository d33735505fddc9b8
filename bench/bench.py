#!/usr/bin/env python3
"""Measures Tarvelo.exe against a bare message-box program built with the same
toolchain, under the same Wine prefix and display, and prints one table.

Run through scripts/bench, which provides DISPLAY, WINEPREFIX and a running
wineserver."""
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "exe"))
from check_pe import read_pe  # noqa: E402

RUNS = 7


def box_visible(title):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def start_to_box(exe, title):
    """Seconds from process start to its box on screen, and peak RSS then."""
    start = time.monotonic()
    proc = subprocess.Popen(["wine", exe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, cwd=os.path.dirname(exe))
    try:
        deadline = start + 30
        while not box_visible(title):
            if time.monotonic() > deadline:
                raise RuntimeError(f"{exe}: no box titled {title!r} within 30 s")
            time.sleep(0.005)
        elapsed = time.monotonic() - start
        return elapsed, peak_rss_kib(proc.pid)
    finally:
        proc.kill()
        proc.wait()


def object_rows(exe):
    """objects.exe's table (GDI and USER objects around long use, query
    times), through a file: a pipe would be held open by Wine's services."""
    out = os.path.join(os.path.dirname(exe), "objects.txt")
    with open(out, "w") as rows:
        code = subprocess.run(["wine", exe], stdin=subprocess.DEVNULL, stdout=rows, stderr=subprocess.DEVNULL,
                              cwd=os.path.dirname(exe), timeout=600).returncode
    with open(out) as rows:
        return rows.read(), code


def main():
    tarvelo, baseline = sys.argv[1], sys.argv[2]
    programs = [("Tarvelo.exe", tarvelo, "Ostrel 提示："), ("baseline.exe", baseline, "Baseline box")]
    times = {name: [] for name, _, _ in programs}
    rss = {name: [] for name, _, _ in programs}
    start_to_box(baseline, "Baseline box")  # warm the caches once
    for _ in range(RUNS):
        for name, exe, title in programs:  # interleaved
            t, r = start_to_box(exe, title)
            times[name].append(t)
            rss[name].append(r)
    rows = []
    for name, exe, _ in programs:
        rows.append((name, os.path.getsize(exe), ", ".join(read_pe(exe)["imports"]),
                     statistics.median(times[name]), max(rss[name])))
    t_ratio = rows[0][3] / rows[1][3]
    m_ratio = rows[0][4] / rows[1][4]
    print(f"| program | size (bytes) | imports | start to box (median of {RUNS}) | peak working set |")
    print("|---|---|---|---|---|")
    for name, size, imports, t, r in rows:
        print(f"| {name} | {size} | {imports} | {t * 1000:.0f} ms | {r} KiB |")
    print(f"| ratio | | | {t_ratio:.2f} (target <= 1.2) | {m_ratio:.2f} (target <= 1.3) |")
    rows, code = object_rows(os.path.join(os.path.dirname(baseline), "objects.exe"))
    print()
    print(rows, end="")
    if code != 0:
        sys.exit(f"objects.exe exited with {code}")


if __name__ == "__main__":
    main()
