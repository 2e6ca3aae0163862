#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop finds there: the
# programs run from the prefix, the work-file type is recognised by its magic, and the
# desktop entry, AppStream data, icons and man pages are valid.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
example="$source/examples/Musterpruefung.owp"

# The installed command-line tool accepts the example.
line="$("$prefix/bin/orvela-wp-cli" check "$example")" || fail "installed orvela-wp-cli check exited $?"
[ "$line" = "OK	$example" ] || fail "check printed '$line'"

# Every template of the source tree is installed, and each fills from the example.
shopt -s nullglob nocaseglob
templates=("$source"/examples/reports/*.rtf)
installed=("$prefix"/share/orvela-wp/reports/*.rtf)
shopt -u nocaseglob
[ ${#installed[@]} -eq ${#templates[@]} ] ||
  fail "${#installed[@]} templates installed, ${#templates[@]} in examples/reports"
for t in "${installed[@]}"; do
  "$prefix/bin/orvela-wp-cli" report "$example" "$t" -o "$prefix/report.rtf" || fail "report with $(basename "$t")"
done

# The work-file type: by extension and, for a copy without one, by the magic alone.
# A clean environment, so that no desktop session picks another lookup.
XDG_DATA_DIRS="$prefix/share:/usr/share" update-mime-database "$prefix/share/mime"
cp "$example" "$prefix/Arbeitsdatei ohne Endung"
for file in "$example" "$prefix/Arbeitsdatei ohne Endung"; do
  type="$(env -i PATH="$PATH" HOME="$prefix" XDG_DATA_HOME="$prefix/no-user-data" \
    XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$file")"
  [ "$type" = "application/x-orvela-wp" ] || fail "xdg-mime names '$type' for $(basename "$file")"
done

desktop="$prefix/share/applications/org.example.OrvelaWP.desktop"
metainfo="$prefix/share/metainfo/org.example.OrvelaWP.metainfo.xml"
if [ -x "$prefix/bin/orvela-wp" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  grep -qx 'MimeType=application/x-orvela-wp;' "$desktop" || fail "desktop entry lacks the work-file type"
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  # Each PNG is a PNG of the size its folder names (width and height at bytes 16-23).
  for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/orvela-wp.png"
    if [ ! -f "$png" ]; then fail "icon ${size}x${size} missing"; continue; fi
    read -r -a header <<<"$(od -An -tu1 -w24 -N24 "$png")"
    [ "${header[1]}${header[2]}${header[3]}" = "807871" ] || fail "$png is no PNG"
    width=$(((header[18] << 8) | header[19]))
    height=$(((header[22] << 8) | header[23]))
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "$png is ${width}x${height}"
  done
  [ -f "$prefix/share/icons/hicolor/scalable/apps/orvela-wp.svg" ] || fail "scalable icon missing"
fi

# Man pages format without a warning.
for page in "$prefix"/share/man/man1/*.1.gz; do
  warnings="$(gzip -dc "$page" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)"
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
[ -f "$prefix/share/man/man1/orvela-wp-cli.1.gz" ] || fail "man page of orvela-wp-cli missing"

if [ "$failures" -ne 0 ]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "install test: all checks passed"
