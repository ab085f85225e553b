#!/usr/bin/env python3
"""korvel.assess_frame against korvel-batch on the same cases.

    PYTHONPATH=build/python python3 bench/assess_frame_bench.py build/bin/korvel-batch [ROWS] [THREADS]

The reference cases (tests/data/reference) are repeated to ROWS cases (100000 by default) with
scripts/korvel-generate-cases; korvel-batch -j THREADS runs the file into a results table, and
korvel.assess_frame(frame, threads=THREADS) calculates the frame read from it. Both times are
wall-clock, the best of three; reading the file into a frame is timed on its own, as a user
reads a file once and assesses the frame many times."""

import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import korvel

ROOT = Path(__file__).resolve().parents[1]
REFERENCE = ROOT / "tests" / "data" / "reference"


def best_of(runs, work):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        work()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    batch = sys.argv[1]
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    threads = int(sys.argv[3]) if len(sys.argv) > 3 else os.cpu_count()
    korvel.set_data_folder(str(REFERENCE / "tables"))
    with tempfile.TemporaryDirectory() as folder:
        cases = Path(folder) / "cases.kori"
        with open(cases, "w", encoding="latin-1", newline="") as out:
            subprocess.run([str(ROOT / "scripts" / "korvel-generate-cases"), str(rows), str(REFERENCE / "cases.kori")],
                           stdout=out, check=True)
        table = Path(folder) / "out.koro"
        command = [batch, str(cases), "-o", str(table), "--data", str(REFERENCE / "tables"), "-j", str(threads)]
        cli = best_of(3, lambda: subprocess.run(command, check=True, capture_output=True))
        read = best_of(1, lambda: korvel.read_kori(cases))
        frame = korvel.read_kori(cases)
        module = best_of(3, lambda: korvel.assess_frame(frame, threads=threads))
        results = korvel.assess_frame(frame, threads=threads)
    assert len(results) == rows and results["error"].isna().all()
    print(f"{rows} cases on {threads} threads")
    print(f"korvel-batch            {cli:8.3f} s  {rows / cli:10.0f} cases/s")
    print(f"korvel.assess_frame     {module:8.3f} s  {rows / module:10.0f} cases/s")
    print(f"korvel.read_kori        {read:8.3f} s")
    print(f"assess_frame / korvel-batch = {module / cli:.2f}")


if __name__ == "__main__":
    main()
