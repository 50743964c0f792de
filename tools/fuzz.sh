#!/usr/bin/env bash
# Runs the libFuzzer targets of a NORVA_BUILD_FUZZ build on their seed corpora, one after the other, and
# prints per target the executions done and what was found. The corpus grows in a scratch folder (the
# repository's seeds stay as they are); crashing inputs are kept there and named in the output.
#
#   tools/fuzz.sh BUILD_DIR --seconds N [TARGET...]   each target for N seconds (CI)
#   tools/fuzz.sh BUILD_DIR --runs N [TARGET...]      each target for N executions (the long run)
#
# WORK_DIR (default: a new folder under /tmp) holds the corpora and findings. Extra seed folders for a
# target can be named in NORVA_FUZZ_SEEDS_<TARGET> (for example the shared corpus when it is at hand).
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

# Seeds kept in the repository, and test data that already is the real thing.
seed_dirs() {
  local target=$1
  echo "$root/fuzz/seeds/$target"
  case $target in
    catalog_fuzz) echo "$root/tests/data/disc/Norva" ;;
    ini_document_fuzz) echo "$root/tests/data/disc/Norva" ;;
    shell_link_fuzz) echo "$root/tests/data/lnk" ;;
    bmp_fuzz) echo "$root/tests/data/disc/Norva/Small" ;;
    jpeg_fuzz) echo "$root/tests/data/disc/Norva" ;;
  esac
  local extra_var="NORVA_FUZZ_SEEDS_${target^^}"
  [[ -n "${!extra_var:-}" ]] && echo "${!extra_var}"
  return 0
}

failed=0
printf '%-22s %14s %8s  %s\n' target executions "exec/s" result
for target in "${targets[@]}"; do
  binary=$build/fuzz/$target
  [[ -x $binary ]] || { echo "fuzz.sh: $binary is not built" >&2; exit 2; }
  corpus=$work/$target/corpus
  findings=$work/$target/findings
  mkdir -p "$corpus" "$findings"
  seeds=()
  while read -r dir; do [[ -d $dir ]] && seeds+=("$dir"); done < <(seed_dirs "$target")
  log=$work/$target/log
  status=0
  "$binary" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=262144 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" > "$log" 2>&1 || status=$?
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
