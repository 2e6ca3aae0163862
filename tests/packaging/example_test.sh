#!/usr/bin/env bash
# The committed example work file is sound and up to date with its JSON form: the
# integrity check accepts it, and it holds exactly what the JSON describes (compared as
# the exports of the committed file and of a file freshly imported from the JSON).
# Usage: example_test.sh CLI EXAMPLES_DIR
set -euo pipefail
cli="$1"
examples="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

line="$("$cli" check "$examples/Musterpruefung.owp")" || true
[ "$line" = "OK	$examples/Musterpruefung.owp" ] || { echo "FAIL: check printed '$line'" >&2; exit 1; }

"$cli" import "$examples/Musterpruefung.json" -o "$work/fresh.owp"
"$cli" export "$work/fresh.owp" -o "$work/fresh.json"
"$cli" export "$examples/Musterpruefung.owp" -o "$work/committed.json"
if ! cmp -s "$work/fresh.json" "$work/committed.json"; then
  echo "FAIL: examples/Musterpruefung.owp differs from its JSON form; run scripts/make-example" >&2
  diff "$work/committed.json" "$work/fresh.json" | head -n 20 >&2
  exit 1
fi
echo "example test: Musterpruefung.owp is sound and matches Musterpruefung.json"
