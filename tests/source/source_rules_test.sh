#!/usr/bin/env bash
# The rules that keep the program portable and its layers apart, checked over src/:
# - only src/platform/ calls the system: no system header anywhere else;
# - a path becomes text through platform/path_text.h only: `.string()` and its kin go through the
#   code page on Windows (the other way, a path made from a std::string, a grep cannot tell from a
#   path made from a name in plain letters);
# - nothing below the shell includes from src/app/.
set -uo pipefail
src=$(cd "$(dirname "$0")/../../src" && pwd)
failed=0
offend() {
  echo "$1:" >&2
  echo "$2" >&2
  failed=1
}
cd "$src"
found=$(grep -rnE '#include <(unistd|fcntl|poll|spawn|termios|dirent|pwd|grp|dlfcn|windows|io|shellapi)\.h>|#include <sys/' \
  --include='*.cpp' --include='*.h' . | grep -v '^\./platform/')
[ -z "$found" ] || offend "system headers outside src/platform/" "$found"
found=$(grep -rnE '\.(string|generic_string|u8string)\(\)' --include='*.cpp' --include='*.h' . | grep -v '^\./platform/')
[ -z "$found" ] || offend "paths turned into text without platform::utf8FromPath" "$found"
found=$(grep -rn '#include "app/' editors dormant update widgets monitor overview)
[ -z "$found" ] || offend "includes of the shell from below it" "$found"
[ "$failed" -eq 0 ] && echo "src/ keeps its rules"
exit "$failed"
