#!/usr/bin/env bash
# The desktop program's command line: a wrong one ends the program with its reason, and the
# first start of a new workspace, made with its parents, receives the shipped sample projects.
#   command_line_test.sh PROGRAM SAMPLES_DIR
set -euo pipefail
program=$1 samples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

refused() {  # MESSAGE ARGUMENTS...
  local message=$1 status=0 said
  shift
  said=$("$program" "$@" 2>&1 >/dev/null) || status=$?
  [ "$status" = 2 ] || fail "telvanor $*: exit status $status, not 2"
  grep -qF -- "telvanor: $message" <<<"$said" || fail "telvanor $*: says: $said"
}
refused "--workspace needs the workspace folder: --workspace DIR" --workspace
refused "--workspace needs the workspace folder: --workspace DIR" --workspace= "$dir/PROJECTS/Boat1"
refused "unknown argument '--bogus'" --workspace "$dir/ws" --bogus
refused "one project folder at most, not also 'b'" --workspace "$dir/ws" a b
[ ! -e "$dir/ws" ] || fail "a refused command line made the workspace"

"$program" --workspace "$dir/new/ws/../ws" &
pid=$!
for _ in $(seq 150); do [ -e "$dir/new/ws/PROJECTS/Boat1/pargen.xml" ] && break; sleep 0.1; done
sleep 0.5
kill "$pid"
wait "$pid" || true
for sample in "$samples"/*/; do
  name=$(basename "$sample")
  for file in "$sample"*.xml; do
    cmp -s "$file" "$dir/new/ws/PROJECTS/$name/$(basename "$file")" || fail "$file was not copied into the new workspace"
  done
  [ -d "$dir/new/ws/PROJECTS/$name/bin" ] || fail "the copy of $name has no bin folder"
done
[ -n "$(ls "$samples")" ] || fail "no sample project in $samples"
echo "command line and first start are right"
