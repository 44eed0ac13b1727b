#!/bin/sh
# Builds fuzz target NAME (NAME_fuzz.cpp beside this script, over the tree's
# SOURCEs) with clang's libFuzzer, replays its saved corpus (corpus/NAME), then
# fuzzes for a while (FUZZ_SECONDS, default 30 a target).
# Exits 77 (skipped) where clang++ or the fuzzer runtime is missing, non-zero
# on a finding (the reproducer is left in the temporary folder, which is named).
#   run_fuzz.sh NAME SOURCE...
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${FUZZ_SECONDS:-30}
name=$1
shift

cxx=""
for c in clang++ clang++-14; do
  if command -v "$c" >/dev/null 2>&1; then cxx=$c; break; fi
done
if [ -z "$cxx" ]; then
  echo "clang++ not found: fuzzing skipped"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/marvo-fuzz-XXXXXX") || exit 1
keep=0
cleanup() { [ "$keep" = 1 ] || rm -rf "$work"; }
trap cleanup EXIT INT TERM

# The runtime is there when a trivial target links.
printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
  'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, std::size_t) { return 0; }' \
  > "$work/probe.cpp"
if ! "$cxx" -fsanitize=fuzzer "$work/probe.cpp" -o "$work/probe" >/dev/null 2>&1; then
  echo "$cxx has no libFuzzer runtime: fuzzing skipped"
  exit 77
fi

if ! "$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I "$root" \
    "$here/${name}_fuzz.cpp" "$@" -o "$work/fuzz"; then
  echo "building the fuzz target failed"
  exit 1
fi

# New inputs go to a scratch corpus; the saved one stays as committed.
mkdir -p "$work/corpus"
cd "$work" || exit 1
if ! ./fuzz -runs=0 "$here/corpus/$name"; then
  keep=1
  echo "a saved input fails; see $work"
  exit 1
fi
if ! ./fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "$work/corpus" "$here/corpus/$name"; then
  keep=1
  echo "fuzzing found a fault; the reproducer is in $work"
  exit 1
fi
echo "no findings in ${seconds} s"
