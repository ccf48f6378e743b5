#!/usr/bin/env python3
"""besttime.py RUNS CMD...: runs CMD RUNS times (output discarded) and prints
the best CPU time (user + system, of the child) and the best wall time, in ms,
as "cpu wall". Prints "- -" when CMD fails. CPU time is the steadier figure on
a busy machine."""
import os
import resource
import subprocess
import sys
import time

runs = int(sys.argv[1])
cmd = sys.argv[2:]
best_cpu = best_wall = None
for _ in range(runs):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    rc = subprocess.call(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if rc != 0:
        print("- -")
        sys.exit(0)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
    best_wall = wall if best_wall is None else min(best_wall, wall)
print(f"{best_cpu * 1000:.1f} {best_wall * 1000:.1f}")
