#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# their own build folder and runs each for FUZZ_SECONDS. New inputs are kept in the build folder,
# never in the repository's seed corpus. Fails when a target finds a crash, a sanitizer report,
# a hang or runaway memory; the input that did it is left in BUILD/findings/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."
unset MAKELEVEL MAKEFLAGS MFLAGS # started from make: keep the build's output plain
seconds=${FUZZ_SECONDS:-60}
build=${BUILD:-build-fuzz}
jobs=${JOBS:-2}
targets=(${FUZZ_TARGETS:-questions worksheet_list metafile topic_file activity_file markdown_pages topic_folder gift moodle_xml aiken csv topic_archive topic_pack})

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANA_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs" --target fuzzers

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
status=0
summary=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  findings="$build/findings/$t"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  log="$build/fuzz_$t.log"
  echo "== fuzzing $t for $seconds s"
  rc=0
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$t" >"$log" 2>&1 || rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
  found=$(find "$findings" -type f | wc -l)
  summary+=("$t: ${runs:-0} executions, ${cov:-no coverage line}, corpus $(find "$corpus" -type f | wc -l) inputs, findings $found")
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20 || true
    echo "   full log: $log"
  fi
done
echo "== fuzzing summary"
printf '   %s\n' "${summary[@]}"
exit $status
