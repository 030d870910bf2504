#!/usr/bin/env bash
# Builds tilecut_fuzz with clang++ (warnings are errors) and fuzzes for the
# given number of seconds, starting from the seed corpus. Exits non-zero on any
# crash, timeout or out-of-memory finding; its input is kept in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS}
jobs=$(nproc)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTILECUT_BUILD_FUZZER=ON -DTILECUT_BUILD_TESTS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  >/dev/null
cmake --build build-fuzz -j"$jobs" --target tilecut_fuzz

# The seeds stay as committed; new inputs go to the scratch copy, which a
# later local run starts from too.
work=fuzz/corpus-work
findings=build-fuzz/findings
mkdir -p "$work" "$findings"
cp -n fuzz/corpus/* "$work"/
rm -f "$findings"/crash-* "$findings"/timeout-* "$findings"/oom-* "$findings"/leak-*

status=0
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  build-fuzz/fuzz/tilecut_fuzz "$work" -dict=fuzz/tilecut.dict -max_total_time="$seconds" \
  -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$findings/" || status=$?

if compgen -G "$findings/*-*" >/dev/null; then
  echo "fuzz.sh: findings in $findings:" >&2
  ls -l "$findings" >&2
  [ "$status" -ne 0 ] || status=1
fi
if [ "$status" -ne 0 ]; then
  echo "fuzz.sh: tilecut_fuzz failed (exit $status)" >&2
fi
exit "$status"
