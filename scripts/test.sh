#!/usr/bin/env bash
# Builds tilecut and runs every test: once as a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTILECUT_BUILD_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --no-tests=error --output-on-failure --schedule-random -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DTILECUT_SANITIZE=ON -DTILECUT_BUILD_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --no-tests=error --output-on-failure --schedule-random -j"$jobs"
