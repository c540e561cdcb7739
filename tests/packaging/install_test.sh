#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop expects to find there.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=com.quenzartelvanor.FirmwareTelvanor
for file in bin/telvanor bin/telvanor-cli \
            share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/telvanor/examples/Boat1/pargen.xml share/doc/telvanor/README.md \
            share/doc/telvanor/copyright share/doc/telvanor/changelog.Debian.gz \
            share/man/man1/telvanor.1.gz share/man/man1/telvanor-cli.1.gz; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/telvanor" ] || fail "telvanor is not executable"
[ ! -e "$prefix/share/telvanor/examples/Boat1/bin/bank.bin" ] || fail "a built image was installed"
for size in 16 32 48 64 128 256; do
  icon=share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -e "$prefix/$icon" ] || fail "$icon is not installed"
done

"$prefix/bin/telvanor-cli" --version | grep -q '^telvanor-cli [0-9]' || fail "telvanor-cli --version"
"$prefix/bin/telvanor" --version | grep -q '^telvanor [0-9]' || fail "telvanor --version"
# Read whole: grep -q stops reading at the first match, which would cut the writer off.
help=$("$prefix/bin/telvanor-cli" --help) || fail "telvanor-cli --help"
grep -q 'SYNOPSIS' <<<"$help" || fail "telvanor-cli --help"
# The manual pages are the help texts, and name both licences' holders in the copyright file.
grep -q '^telvanor\\-cli \\- build' <<<"$(zcat "$prefix/share/man/man1/telvanor-cli.1.gz")" || fail "telvanor-cli.1 NAME"
grep -q '^\.SH OPTIONS' <<<"$(zcat "$prefix/share/man/man1/telvanor.1.gz")" || fail "telvanor.1 OPTIONS"
grep -q '^Files: data/pgn-catalogue/' "$prefix/share/doc/telvanor/copyright" || fail "copyright: PGN catalogue"
"$prefix/bin/telvanor-cli" build "$prefix/share/telvanor/examples/Boat1" --output "$prefix/bank.bin" >/dev/null \
  || fail "the installed telvanor-cli cannot build the installed example"
[ -x "$prefix/libexec/telvanor/telvanor-workbook-reader" ] || fail "the workbook reader is not installed"
cp -r "$prefix/share/telvanor/examples/Boat1" "$prefix/Boat1"
"$prefix/bin/telvanor-cli" export "$prefix/Boat1" >/dev/null \
  && "$prefix/bin/telvanor-cli" import "$prefix/Boat1" "$prefix/Boat1/TInfoCob.csv" >/dev/null \
  || fail "the installed telvanor-cli cannot import through the installed workbook reader"

# The installed program finds the installed sample and copies it into a new workspace.
"$(dirname "$0")/../app/command_line_test.sh" "$prefix/bin/telvanor" "$prefix/share/telvanor/examples" >/dev/null \
  || fail "the installed telvanor's command line or first start"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null || fail "appstreamcli validate"
fi
echo "installed files are complete"
