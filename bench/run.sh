#!/usr/bin/env bash
# Whole-process timings of a Release tilecut against an I/O floor measured in
# the same run, peak memory, then the encoder and listing throughput.
# Builds into build-bench/, works in build-bench/run/.
#
#   bench/run.sh [RUNS]      RUNS timed runs per command (default 40)
#
# BENCH_TILECUT=PATH times that tilecut (another build, say) instead of the
# one built here; BENCH_ENCODER_BENCH=PATH likewise for tilecut_bench.
#
# As root the timed commands run at a real-time priority (BENCH_RT=0 turns
# that off), so that other busy processes on the machine do not take turns
# with them: a run shared with them reads as twice its length.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-40}

need() {  # need COMMAND PACKAGE
  command -v "$1" >/dev/null 2>&1 && return
  apt-get install -y "$2" >/dev/null 2>&1 ||
    { apt-get update >/dev/null && apt-get install -y "$2" >/dev/null; }
}
need hyperfine hyperfine
[ -x /usr/bin/time ] || need /usr/bin/time time

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTILECUT_BUILD_BENCHMARKS=ON \
  -DTILECUT_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" \
  --target tilecut tilecut_make_inputs tilecut_io_floor tilecut_bench >/dev/null
tilecut=$root/build-bench/tilecut
[ -x "$tilecut" ] || tilecut=$root/build-bench/src/job/tilecut
tilecut=${BENCH_TILECUT:-$tilecut}
encoder_bench=${BENCH_ENCODER_BENCH:-$root/build-bench/bench/tilecut_bench}
floor=$root/build-bench/bench/tilecut_io_floor
make_inputs=$root/build-bench/bench/tilecut_make_inputs

rt=()
if [ "${BENCH_RT:-1}" != 0 ] && [ "$(id -u)" = 0 ] && command -v chrt >/dev/null; then
  rt=(chrt -f 10)
fi

work=$root/build-bench/run
rm -rf "$work"
mkdir -p "$work"/{text,binary,many100,many10000}
"$make_inputs" "$work/big.bmp" 4096 4096 1 8
"$make_inputs" "$work/small.bmp" 512 512 2 8
for d in text binary; do ln "$work/big.bmp" "$work/$d/big.bmp"; done
for d in many100 many10000; do ln "$work/small.bmp" "$work/$d/small.bmp"; done
printf 'big.bmp 0 0 4096 4096 big 0 1 2 3\n' >"$work/text/format.txt"
printf 'big.bmp 0 0 4096 4096 big.fr 0 1 2 3\n' >"$work/binary/format.txt"
# Alternating text and binary entries over 16 x 16 regions at varying
# offsets, each with its own output name.
many_entries() {
  awk -v n="$1" 'BEGIN {
    for (i = 0; i < n; i++) {
      x = (i * 37) % 496; y = (i * 53) % 496;
      name = (i % 2) ? sprintf("t%05d.fr", i) : sprintf("a%05d", i);
      printf "small.bmp %d %d 16 16 %s %d %d %d %d\n", x, y, name, i % 8, (i + 1) % 8, 3, 300
    }
  }'
}
many_entries 100 >"$work/many100/format.txt"
many_entries 10000 >"$work/many10000/format.txt"

# Every timed run writes new files: ext4 starts writeback, and may wait for it,
# when a file that held data is truncated and rewritten, which would time the
# disk rather than the program.
fresh="sh -c 'rm -f -- *.fr output.txt floor.out'"

# time_commands DIR RUNS COMMAND... -> one line per command: median wall and
# mean user + system CPU (seconds), then the median of the rounds' ratios of
# the first command to the second. The runs go in rounds of 4, the commands
# taking turns, so that a slow spell of the machine falls on both.
time_commands() {
  local dir=$1 n=$2 round
  shift 2
  : >"$dir/rounds.txt"
  for ((round = 0; round * 4 < n; round++)); do
    (cd "$dir" && "${rt[@]}" hyperfine -N -w 1 -r 4 -p "$fresh" --export-csv times.csv "$@" \
      >/dev/null 2>>hyperfine.log)
    awk -F, -v r="$round" 'NR > 1 { print r, NR - 1, $4, $5 + $6 }' "$dir/times.csv" \
      >>"$dir/rounds.txt"
  done
  awk '
    function median(a, k,   i, j, v) {  # insertion sort of a[1..k]
      for (i = 2; i <= k; i++) { v = a[i]; for (j = i - 1; j > 0 && a[j] > v; j--) a[j + 1] = a[j]; a[j + 1] = v }
      return k % 2 ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
    }
    { t[$2, ++runs[$2]] = $3; cpu[$2] += $4; by_round[$1, $2] = $3; if ($2 > cmds) cmds = $2; rounds = $1 + 1 }
    END {
      for (c = 1; c <= cmds; c++) {
        delete a; for (i = 1; i <= runs[c]; i++) a[i] = t[c, i]
        print median(a, runs[c]), cpu[c] / runs[c]
      }
      if (cmds > 1) { delete a; for (r = 0; r < rounds; r++) a[r + 1] = by_round[r, 1] / by_round[r, 2]; print median(a, rounds) }
    }' "$dir/rounds.txt"
}
peak_kib() {  # peak_kib DIR -> maximum resident set size of one tilecut run
  (cd "$1" && /usr/bin/time -v "$tilecut" 2>&1 >/dev/null |
    awk -F: '/Maximum resident/ { gsub(/ /, "", $2); print $2 }')
}

echo "$tilecut"
echo "machine: $(nproc) CPUs, $(lscpu | awk -F: '/Model name/ { gsub(/^ +/, "", $2); print $2 }')," \
  "kernel $(uname -r), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$runs runs per command in rounds of 4, ${rt[*]:-normal priority};" \
  "wall: median, cpu: mean user + system"
echo

bitmap_kib=$(($(stat -c %s "$work/big.bmp") / 1024))
for mode in text binary; do
  dir=$work/$mode
  (cd "$dir" && "$tilecut")
  out=$dir/output.txt
  [ "$mode" = binary ] && out=$dir/big.fr
  bytes=$(stat -c %s "$out")
  {
    read -r t tc
    read -r f fc
    read -r ratio
  } < <(time_commands "$dir" "$runs" "$tilecut" "$floor big.bmp floor.out $bytes")
  peak=$(peak_kib "$dir")
  awk -v m="$mode" -v t="$t" -v f="$f" -v r="$ratio" -v tc="$tc" -v fc="$fc" -v b="$bytes" -v p="$peak" \
    -v in_kib="$bitmap_kib" -v fr_kib="$([ "$mode" = binary ] && echo $((bytes / 1024)) || echo 0)" '
    BEGIN {
      printf "%-6s wall tilecut %6.2f ms  floor %6.2f ms  ratio %.2f (median of the rounds: %.2f)\n",
        m, t * 1000, f * 1000, t / f, r
      printf "       cpu  tilecut %6.2f ms  floor %6.2f ms  ratio %.2f  (output %d bytes)\n",
        tc * 1000, fc * 1000, tc / fc, b
      printf "       peak RSS %d KiB = bitmap %d KiB + FR buffer %d KiB + %d KiB\n",
        p, in_kib, fr_kib, p - in_kib - fr_kib
    }'
done

for n in 100 10000; do
  dir=$work/many$n
  (cd "$dir" && "$tilecut")
  read -r t tc < <(time_commands "$dir" $((n == 100 ? runs : 8)) "$tilecut")
  eval "many_$n=$t"
  awk -v n="$n" -v t="$t" -v tc="$tc" 'BEGIN {
    printf "%5d entries  wall %8.2f ms  cpu %8.2f ms\n", n, t * 1000, tc * 1000 }'
done
awk -v a="$many_100" -v b="$many_10000" 'BEGIN {
  printf "10000 entries / (100 x 100 entries) = %.2f\n", b / (100 * a) }'

echo
echo "$encoder_bench"
"${rt[@]}" "$encoder_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E "Benchmark|median|---"
