#!/usr/bin/env bash
# Builds the speed measurements in build-bench (Release), runs every bench_* program and prints
# one table: each action's time, its floor (the bare file work, measured in the same run) and
# their ratio, at 10,000 and 100,000 QSOs. With --large, runs bench_large alone: the windows,
# rewrites and exports at 1,000,000 QSOs (three logs of 120 MB, some minutes). Other arguments
# go to every program, for example:
#   tools/bench.sh --benchmark_filter='BM_Edit|BM_Delete' --benchmark_min_time=0.2
# The JSON of each program is kept in build-bench/bench-results/.
set -euo pipefail

large=0
args=()
for arg in "$@"; do
  if [ "$arg" = "--large" ]; then large=1; else args+=("$arg"); fi
done
set -- ${args[@]+"${args[@]}"}
source "$(dirname "$0")/setup.sh"
orvel_install_missing libbenchmark-dev python3 time

BENCH_BUILD="$ORVEL_ROOT/build-bench"
cmake -S "$ORVEL_ROOT" -B "$BENCH_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DORVEL_BUILD_BENCH=ON -DORVEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$BENCH_BUILD" -j "$(nproc 2>/dev/null || echo 2)"

results="$BENCH_BUILD/bench-results"
mkdir -p "$results"
rm -f "$results"/*.json
for program in "$BENCH_BUILD"/bench/bench_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  name="$(basename "$program")"
  if [ "$name" = "bench_large" ]; then
    [ "$large" = 1 ] || continue
  elif [ "$large" = 1 ]; then
    continue
  fi
  echo "Running $name..." >&2
  QT_QPA_PLATFORM=offscreen "$program" --benchmark_format=json "$@" >"$results/$name.json"
done

python3 - "$results"/*.json <<'EOF'
import json
import sys

# Fields every benchmark has; any other number is a counter of its own (peak memory, say).
STANDARD = {"family_index", "per_family_instance_index", "repetitions", "repetition_index",
            "threads", "iterations", "real_time", "cpu_time", "floor_ms", "ratio"}
rows = []
for path in sys.argv[1:]:
    with open(path, encoding="utf-8") as f:
        text = f.read()
    if not text.strip():  # a filter that matched none of this program's benchmarks
        continue
    data = json.loads(text)
    for b in data.get("benchmarks", []):
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b.get("run_name", b["name"]) if b.get("run_type") == "aggregate" else b["name"]
        if b.get("error_occurred"):
            rows.append((name, "error: " + b.get("error_message", ""), "", "", ""))
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        ms = b["real_time"] * scale
        floor = b.get("floor_ms")
        ratio = b.get("ratio")
        others = " ".join(f"{k}={v:.1f}" for k, v in b.items()
                          if isinstance(v, (int, float)) and k not in STANDARD)
        rows.append((name, f"{ms:.2f}",
                     "—" if floor is None else f"{floor:.2f}",
                     "—" if ratio is None else f"{ratio:.2f}", others))

header = ("benchmark", "ms", "floor_ms", "ratio", "other counters")
widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(5)]
def line(cells):
    return "| " + " | ".join(
        str(c).ljust(w) if i == 0 else str(c).rjust(w)
        for i, (c, w) in enumerate(zip(cells, widths))) + " |"
print(line(header))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows:
    print(line(r))
EOF
