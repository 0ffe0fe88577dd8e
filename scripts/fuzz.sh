#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan; the parts without Qt) and runs each of them,
# starting from its checked-in seeds in tests/fuzz/corpus/<target>/.
#   bash scripts/fuzz.sh                  every target for 10 seconds
#   bash scripts/fuzz.sh -t 600 fuzz_link one target for 10 minutes
#   bash scripts/fuzz.sh -r 1000000       every target for a million executions
# New inputs go to out/fuzz/corpus/<target>/, inputs that fail to out/fuzz/artifacts/<target>/;
# the checked-in seeds are never changed. The summary gives the executions of each target.
# Exits non-zero when a target finds a failing input.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time=10)
while getopts "t:r:h" opt; do
  case $opt in
    t) limit=(-max_total_time="$OPTARG") ;;
    r) limit=(-runs="$OPTARG") ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

ALL=(fuzz_link fuzz_box_record fuzz_list_record fuzz_text_record fuzz_value_table fuzz_progress_record
     fuzz_report_buffer fuzz_transfer_record fuzz_menu_record fuzz_scenario fuzz_recording)
targets=("$@")
((${#targets[@]})) || targets=("${ALL[@]}")

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCORVANE_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
total=0
for t in "${targets[@]}"; do
  seeds=tests/fuzz/corpus/$t
  work=out/fuzz/corpus/$t
  artifacts=out/fuzz/artifacts/$t
  mkdir -p "$work" "$artifacts"
  extra=()
  [[ -f tests/fuzz/$t.dict ]] && extra+=(-dict="tests/fuzz/$t.dict")
  log=out/fuzz/$t.log
  # -timeout: one input that runs for seconds is a hang, and a finding.
  if build-fuzz/tests/fuzz/"$t" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$artifacts/" "${extra[@]}" "$work" "$seeds" >"$log" 2>&1; then
    status=ok
  else
    status=FAILED
    failed+=("$t")
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  total=$((total + ${runs:-0}))
  printf '%-22s %-6s %12s executions\n' "$t" "$status" "${runs:-?}"
  if [[ $status != ok ]]; then tail -n 40 "$log"; fi
done
printf '%-22s %-6s %12s executions\n' "all" "" "$total"
if ((${#failed[@]})); then
  echo "Failing inputs are in out/fuzz/artifacts/: ${failed[*]}" >&2
  exit 1
fi
