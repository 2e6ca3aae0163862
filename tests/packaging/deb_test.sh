#!/usr/bin/env bash
# Builds the Debian package with cpack and checks that its Depends are right: every
# library the programs link directly comes from a package named in Depends, no
# development package is asked for, apt can satisfy the list, and the programs of the
# unpacked package run.
# Usage: deb_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  exit 1
}
shopt -s nullglob
debs=("$work"/out/orvela-wp_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: cpack made ${#debs[@]} packages" >&2; exit 1; }
deb="${debs[0]}"
depends="$(dpkg-deb --field "$deb" Depends)"
echo "Depends: $depends"

# Package names in Depends, without versions and alternatives' bars.
declare -A named=()
for part in $(sed -e 's/([^)]*)//g' -e 's/[,|]/ /g' <<<"$depends"); do named["$part"]=1; done
case "$depends" in *-dev*) fail "Depends asks for a development package" ;; esac

dpkg-deb --extract "$deb" "$work/root"
for program in "$work"/root/usr/bin/*; do
  name="$(basename "$program")"
  ldd_out="$(ldd "$program")"
  for lib in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    path="$(awk -v lib="$lib" '$1 == lib && $2 == "=>" { print $3 }' <<<"$ldd_out")"
    [ -n "$path" ] || { fail "$name: $lib is not found"; continue; }
    # The package that owns the library, under its merged-/usr name as well.
    owner="$(dpkg -S "$path" 2>/dev/null || dpkg -S "${path#/usr}" 2>/dev/null ||
      dpkg -S "/usr$path" 2>/dev/null || true)"
    owner="${owner%%:*}"
    [ -n "$owner" ] || { fail "$name: no package owns $path"; continue; }
    [ -n "${named[$owner]:-}" ] || fail "$name links $lib of $owner, which Depends does not name"
  done
done

# apt can install it on this system (simulated, so nothing changes).
apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || {
  cat "$work/apt.log" >&2
  fail "apt-get cannot satisfy the package's dependencies"
}

# The unpacked command-line tool works on the example.
line="$("$work/root/usr/bin/orvela-wp-cli" check "$source/examples/Musterpruefung.owp")" || true
[ "$line" = "OK	$source/examples/Musterpruefung.owp" ] || fail "packaged orvela-wp-cli check printed '$line'"
expected=(usr/share/mime/packages/orvela-wp.xml usr/share/man/man1/orvela-wp-cli.1.gz usr/share/doc/orvela-wp/copyright)
if [ -e "$work/root/usr/bin/orvela-wp" ]; then
  expected+=(usr/share/applications/org.example.OrvelaWP.desktop usr/share/metainfo/org.example.OrvelaWP.metainfo.xml)
fi
for path in "${expected[@]}"; do
  [ -e "$work/root/$path" ] || fail "package lacks /$path"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "deb test: package and its dependencies are right"
