#!/usr/bin/env bash
# The main window under the worker's flood of events.
#
#   bench/gui_responsiveness.sh [BENCH_APP]
#
# 1. A page-cached file of BIG_MIB MiB (default 4096) hashed with CRC32 only: the longest
#    gap between two ticks of a 10 ms timer must stay under 50 ms.
# 2. A folder of SMALL_FILES files of 1 KiB (default 20000) dropped on the window and
#    hashed with MD5, log viewer open: at least one third of the rate of
#    `rhash -r --md5` on the same folder. The worker alone on the same folder
#    (events received by an object that only counts them) is shown for comparison.
# Each timing is the best of REPEAT runs (default 3). The window runs under Xvfb when
# xvfb-run is installed, else on Qt's offscreen platform. Exits 1 when a target is missed.
#
# BENCH_APP defaults to build-bench/bench_app, built there as a Release build if missing.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
repeat="${REPEAT:-3}"
big_mib="${BIG_MIB:-4096}"
small_files="${SMALL_FILES:-20000}"

bench_app="${1:-${BENCH_APP:-}}"
if [ -z "$bench_app" ]; then
  bench_app="$root/build-bench/bench_app"
  if [ ! -x "$bench_app" ]; then
    cmake -S "$root" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDIGREX_TESTS=OFF >/dev/null
    cmake --build "$root/build-bench" --target bench_app >/dev/null
  fi
fi
command -v rhash >/dev/null || { echo "rhash is needed (Debian package rhash)" >&2; exit 2; }

work="$(mktemp -d "${TMPDIR:-/tmp}/digrex-gui-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

echo "Preparing $big_mib MiB file and $small_files files of 1 KiB in $work"
head -c "$((big_mib * 1048576))" /dev/urandom > "$work/big.bin"
mkdir "$work/files"
python3 - "$work/files" "$small_files" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
data = os.urandom(1024)
for i in range(count):
    with open(os.path.join(folder, "f%06d.bin" % i), "wb") as f:
        f.write(data)
PY
cat "$work/big.bin" > /dev/null
rhash -r --md5 "$work/files" > /dev/null

run_app() {
  if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$bench_app" "$@" 2>/dev/null
  else
    QT_QPA_PLATFORM=offscreen "$bench_app" "$@" 2>/dev/null
  fi
}
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" | head -1; }
best() { sort -g | head -1; }

rhash_best=$(for _ in $(seq "$repeat"); do
  /usr/bin/time -f "%e" rhash -r --md5 "$work/files" 2>&1 >/dev/null | tail -1
done | best)

gaps=()
big_secs=()
for _ in $(seq "$repeat"); do
  out=$(DIGREX_BENCH_GUI_FILE="$work/big.bin" run_app --benchmark_filter='TickGap')
  gaps+=("$(echo "$out" | grep gui-tick-gap | field max_gap_ms)")
  big_secs+=("$(echo "$out" | grep gui-tick-gap | field seconds)")
done
worst_gap=$(printf '%s\n' "${gaps[@]}" | sort -g | tail -1)
best_big=$(printf '%s\n' "${big_secs[@]}" | best)

gui_secs=()
gui_cpu=()
worker_secs=()
for _ in $(seq "$repeat"); do
  out=$(DIGREX_BENCH_GUI_FOLDER="$work/files" run_app --benchmark_filter='Folder')
  gui_secs+=("$(echo "$out" | grep gui-folder | field seconds)")
  gui_cpu+=("$(echo "$out" | grep gui-folder | field gui_cpu_us_per_file)")
  worker_secs+=("$(echo "$out" | grep worker-only-folder | field seconds)")
done
best_gui=$(printf '%s\n' "${gui_secs[@]}" | best)
best_cpu=$(printf '%s\n' "${gui_cpu[@]}" | best)
best_worker=$(printf '%s\n' "${worker_secs[@]}" | best)

status=0
awk -v gaps="${gaps[*]}" -v worst="$worst_gap" -v big="$best_big" -v mib="$big_mib" \
    -v rh="$rhash_best" -v gui="$best_gui" -v wk="$best_worker" -v n="$small_files" -v cpu="$best_cpu" 'BEGIN {
  printf "\n%-58s %s\n", "measurement", "result"
  printf "%-58s %.1f ms (runs: %s) target < 50: %s\n", "longest 10 ms timer gap, " mib " MiB CRC32 file", worst, gaps, (worst < 50 ? "met" : "MISSED")
  printf "%-58s %.0f MB/s\n", "  throughput of that file through the window", mib * 1.048576 / big
  printf "%-58s %.3f s  %.0f files/s\n", "rhash -r --md5, " n " files", rh, n / rh
  printf "%-58s %.3f s  %.0f files/s\n", "window: drop to \"Finished\", MD5, log viewer open", gui, n / gui
  printf "%-58s %.3f s  %.0f files/s\n", "worker alone, same folder", wk, n / wk
  printf "%-58s %.1f us\n", "window thread CPU per file", cpu
  ratio = rh / gui
  printf "%-58s %.2f x rhash, target >= 0.33: %s\n", "window rate", ratio, (ratio >= 1/3 ? "met" : "MISSED")
  exit !(worst < 50 && ratio >= 1/3)
}' || status=1
exit $status
