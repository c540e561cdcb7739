#!/usr/bin/env bash
# Makes the Debian package of the build and has lintian check it: no error may remain.
#   lintian_test.sh BUILD_DIR
set -euo pipefail
build=$1
command -v lintian >/dev/null || { echo "lintian is not installed (scripts/install-packages installs it)"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/telvanor_*.deb)
# The description is read as a person reads it: no line past 80 columns.
if dpkg-deb -f "$deb" Description | awk 'length($0) > 80 { found = 1 } END { exit !found }'; then
  echo "FAIL: a description line passes 80 columns" >&2
  exit 1
fi
# Every finding is shown; errors fail the test.
lintian --fail-on error --tag-display-limit 0 --display-info "$deb"
echo "lintian finds no error in $(basename "$deb")"
