#!/usr/bin/env bash
# The committed catalogue must be what the generator makes from the pinned package. Skipped
# (exit 77) when the package's canboat.json has not been fetched (scripts/generate-pgn-catalogue
# fetches it into build/canboat/).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source=${TELVANOR_CANBOAT_JSON:-$root/build/canboat/package/canboat.json}
[ -f "$source" ] || { echo "canboat.json not present; skipped"; exit 77; }
command -v python3 >/dev/null || { echo "python3 not present; skipped"; exit 77; }
diff -u "$root/data/pgn-catalogue/pgns.tsv" <("$root/scripts/generate-pgn-catalogue" "$source" --output -)
echo "data/pgn-catalogue/pgns.tsv is what the generator makes"
