#!/usr/bin/env bash
# Runs the libFuzzer targets of a NORVA_BUILD_FUZZ build on their seed corpora, one after the other, and
# prints per target the executions done and what was found. The corpus grows in a scratch folder (the
# repository's seeds stay as they are); crashing inputs are kept there and named in the output.
#
#   tools/fuzz.sh BUILD_DIR --seconds N [TARGET...]   each target for N seconds (CI)
#   tools/fuzz.sh BUILD_DIR --runs N [TARGET...]      each target for N executions (the long run)
#
# WORK_DIR (default: a new folder under /tmp) holds the corpora and findings; a corpus kept there from an
# earlier run is taken up again. An extra seed folder for a target can be named in NORVA_FUZZ_SEEDS_<TARGET>
# (for example the shared corpus of shortcut files when it is at hand).
# Exit status 1 when any target found a crash, a leak or a timeout.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:?usage: tools/fuzz.sh BUILD_DIR --seconds N|--runs N [TARGET...]}
mode=${2:?}
amount=${3:?}
shift 3
case $mode in
  --seconds) limit=(-max_total_time="$amount") ;;
  --runs) limit=(-runs="$amount") ;;
  *) echo "fuzz.sh: --seconds N or --runs N" >&2; exit 2 ;;
esac
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(catalog_fuzz ini_document_fuzz reg_file_fuzz shell_link_fuzz bmp_fuzz jpeg_fuzz split_fields_fuzz
           create_date_fuzz uninstall_string_fuzz dos_path_fuzz)
fi
work=${WORK_DIR:-$(mktemp -d /tmp/norva-fuzz.XXXXXX)}
mkdir -p "$work"

# Seeds: the repository's own for each target, and test data that already is the real thing. Copied into
# the target's corpus folder in the work folder, where the fuzzer also keeps what it finds.
seed_files() {
  local target=$1
  find "$root/fuzz/seeds/$target" -type f 2> /dev/null
  case $target in
    catalog_fuzz | ini_document_fuzz) find "$root/tests/data/disc/Norva" -maxdepth 1 -iname '*.ini' ;;
    shell_link_fuzz) find "$root/tests/data/lnk" -iname '*.lnk' ;;
    bmp_fuzz) find "$root/tests/data/disc/Norva/Small" -iname '*.bmp' ;;
    jpeg_fuzz) find "$root/tests/data/disc/Norva" -maxdepth 1 -iname '*.jpg' ;;
  esac
  local extra_var="NORVA_FUZZ_SEEDS_${target^^}"
  [[ -n "${!extra_var:-}" ]] && find "${!extra_var}" -type f
  return 0
}

# The longest input each target is given: pictures and catalogs are larger than the texts of the others.
# FUZZ_MAX_LEN sets it for every target named (shorter inputs run faster in a long run).
max_len() {
  if [[ -n "${FUZZ_MAX_LEN:-}" ]]; then
    echo "$FUZZ_MAX_LEN"
    return
  fi
  case $1 in
    catalog_fuzz | bmp_fuzz | jpeg_fuzz) echo 65536 ;;
    *) echo 8192 ;;
  esac
}

failed=0
printf '%-22s %14s %8s  %s\n' target executions "exec/s" result
for target in "${targets[@]}"; do
  binary=$build/fuzz/$target
  [[ -x $binary ]] || { echo "fuzz.sh: $binary is not built" >&2; exit 2; }
  corpus=$work/$target/corpus
  findings=$work/$target/findings
  mkdir -p "$corpus" "$findings"
  while read -r seed; do cp -n "$seed" "$corpus/" 2> /dev/null || true; done < <(seed_files "$target")
  log=$work/$target/log
  status=0
  "$binary" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$target")" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" > "$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  found=$(find "$findings" -type f | sort)
  if ((status != 0)) || [[ -n $found ]]; then
    failed=1
    printf '%-22s %14s %8s  FOUND: %s (log %s)\n' "$target" "${runs:-?}" "${speed:-?}" "${found:-exit $status}" "$log"
  else
    printf '%-22s %14s %8s  nothing found\n' "$target" "${runs:-?}" "${speed:-?}"
  fi
done
exit $failed
