#!/usr/bin/env bash
# Whole-process timings of a Release tilecut against an I/O floor measured in
# the same run, plus peak memory. Builds into build-bench/, works in
# build-bench/run/. Usage: bench/run.sh [RUNS]   (default 15 runs per command)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-15}

need() {  # need COMMAND PACKAGE
  command -v "$1" >/dev/null 2>&1 && return
  apt-get install -y "$2" >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get install -y "$2" >/dev/null; }
}
need hyperfine hyperfine
[ -x /usr/bin/time ] || need /usr/bin/time time

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTILECUT_BUILD_BENCHMARKS=ON \
  -DTILECUT_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target tilecut tilecut_make_inputs tilecut_io_floor >/dev/null
tilecut=$root/build-bench/tilecut
[ -x "$tilecut" ] || tilecut=$root/build-bench/src/job/tilecut
floor=$root/build-bench/bench/tilecut_io_floor
make_inputs=$root/build-bench/bench/tilecut_make_inputs

work=$root/build-bench/run
rm -rf "$work"
mkdir -p "$work"/{text,binary,many100,many10000}
"$make_inputs" "$work/big.bmp" 4096 4096 1 8
"$make_inputs" "$work/small.bmp" 512 512 2 8
for d in text binary; do ln "$work/big.bmp" "$work/$d/big.bmp"; done
for d in many100 many10000; do ln "$work/small.bmp" "$work/$d/small.bmp"; done
printf 'big.bmp 0 0 4096 4096 big 0 1 2 3\n' >"$work/text/format.txt"
printf 'big.bmp 0 0 4096 4096 big.fr 0 1 2 3\n' >"$work/binary/format.txt"
# Alternating text and binary entries over 16 x 16 regions at varying offsets.
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

median() {  # median CSV -> seconds of the first command, then the second
  awk -F, 'NR > 1 { printf "%s ", $4 } END { print "" }' "$1"
}
peak_kib() {  # peak_kib DIR -> maximum resident set size of one tilecut run
  (cd "$1" && /usr/bin/time -v "$tilecut" 2>&1 >/dev/null | awk -F: '/Maximum resident/ { gsub(/ /, "", $2); print $2 }')
}

# Every timed run writes new files: ext4 starts writeback, and may wait for it,
# when a file that held data is truncated and rewritten, which would time the
# disk rather than the program.
fresh="sh -c 'rm -f -- *.fr output.txt floor.out'"

echo "machine: $(nproc) CPUs, $(lscpu | awk -F: '/Model name/ { gsub(/^ +/, "", $2); print $2 }')"
echo "runs per command: $runs (median wall time)"
echo

for mode in text binary; do
  dir=$work/$mode
  (cd "$dir" && "$tilecut")
  out=$dir/output.txt
  [ "$mode" = binary ] && out=$dir/big.fr
  bytes=$(stat -c %s "$out")
  (cd "$dir" && hyperfine -N -w 3 -r "$runs" --export-csv "$dir/times.csv" -p "$fresh" \
    "$tilecut" "$floor big.bmp floor.out $bytes" >/dev/null)
  read -r t f < <(median "$dir/times.csv")
  peak=$(peak_kib "$dir")
  awk -v m="$mode" -v t="$t" -v f="$f" -v b="$bytes" -v p="$peak" \
    -v in_kib="$(($(stat -c %s "$work/big.bmp") / 1024))" 'BEGIN {
      printf "%-7s tilecut %7.2f ms  floor %7.2f ms  ratio %.2f  (output %d bytes)\n", m, t * 1000, f * 1000, t / f, b
      printf "        peak RSS %d KiB = bitmap %d KiB + %d KiB\n", p, in_kib, p - in_kib
    }'
done

for n in 100 10000; do
  dir=$work/many$n
  (cd "$dir" && "$tilecut")
  r=$((n == 100 ? runs : 5))
  (cd "$dir" && hyperfine -N -w 1 -r "$r" --export-csv "$dir/times.csv" -p "$fresh" \
    "$tilecut" >/dev/null)
  read -r t < <(median "$dir/times.csv")
  eval "many_$n=$t"
  awk -v n="$n" -v t="$t" 'BEGIN { printf "%5d entries  %9.2f ms\n", n, t * 1000 }'
done
awk -v a="$many_100" -v b="$many_10000" 'BEGIN {
  printf "10000 entries / (100 x 100 entries) = %.2f\n", b / (100 * a) }'
