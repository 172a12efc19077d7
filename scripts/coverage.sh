#!/usr/bin/env bash
# Line and branch coverage of the library's sources (src/) by the test
# suite, per family, the lines that no test reaches and the lines with a
# branch that no test takes.
#   scripts/coverage.sh
# Builds the suite with --coverage, unoptimised, in build/coverage (the
# coverage preset), runs it, and reads the counts with gcovr.  Branches that
# only exceptions take and branches the compiler proves unreachable are not
# counted.  The full report stays in build/coverage/coverage.json and
# build/coverage/coverage.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev gcovr
cmake --preset coverage
cmake --build --preset coverage -j "$jobs"
# Counts from an earlier run would add up with this one's.
find build/coverage -name '*.gcda' -delete
ctest --preset coverage -j "$jobs"

out=build/coverage
gcovr --root . --object-directory "$out" --filter 'src/' \
  --exclude-directories '.*/CompilerId.*' --exclude-throw-branches --exclude-unreachable-branches \
  --json "$out/coverage.json" --txt "$out/coverage.txt"

python3 - "$out/coverage.json" <<'PY'
import json, sys
from collections import defaultdict

families = ("frame", "units", "algebra", "interp", "tire")
data = json.load(open(sys.argv[1]))
totals = defaultdict(lambda: [0, 0, 0, 0])  # lines hit, lines, branches taken, branches
unreached = []
untaken = []
for f in sorted(data["files"], key=lambda f: f["file"]):
    family = f["file"].split("/")[1]
    t = totals[family]
    lines = [l for l in f["lines"] if not l.get("gcovr/noncode")]
    missed = []
    partial = []
    for l in lines:
        t[1] += 1
        if l["count"] > 0:
            t[0] += 1
        else:
            missed.append(l["line_number"])
        for b in l.get("branches", []):
            t[3] += 1
            t[2] += b["count"] > 0
        if any(b["count"] == 0 for b in l.get("branches", [])):
            partial.append(str(l["line_number"]))
    if partial:
        untaken.append(f"  {f['file']}: " + ", ".join(partial))
    # Runs of consecutive lines as first-last.
    runs = []
    for n in sorted(set(missed)):
        if runs and n == runs[-1][1] + 1:
            runs[-1][1] = n
        else:
            runs.append([n, n])
    if runs:
        unreached.append(f"  {f['file']}: " + ", ".join(
            str(a) if a == b else f"{a}-{b}" for a, b in runs))

def pct(a, b):
    return f"{100.0 * a / b:5.1f} %" if b else "    -  "

print(f"\n{'family':8} {'lines':>15} {'':>7} {'branches':>15} {'':>7}")
all_ = [0, 0, 0, 0]
for fam in families:
    t = totals.get(fam, [0, 0, 0, 0])
    all_ = [a + b for a, b in zip(all_, t)]
    print(f"{fam:8} {t[0]:7}/{t[1]:<7} {pct(t[0], t[1])} {t[2]:7}/{t[3]:<7} {pct(t[2], t[3])}")
print(f"{'all':8} {all_[0]:7}/{all_[1]:<7} {pct(all_[0], all_[1])} {all_[2]:7}/{all_[3]:<7} {pct(all_[2], all_[3])}")
print("\nlines no test reaches:" if unreached else "\nevery line is reached")
if unreached:
    print("\n".join(unreached))
if untaken:
    print("\nlines with a branch no test takes:")
    print("\n".join(untaken))
PY
