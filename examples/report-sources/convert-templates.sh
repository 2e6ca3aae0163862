#!/usr/bin/env bash
# Writes the example report templates examples/reports/*.rtf from their LibreOffice
# sources in this folder. Edit a .fodt with LibreOffice Writer (placeholders such as
# /VAR:FILENAME/ and block markers such as /SCAN(FINDINGS)/ typed in one go, each block's
# markers in paragraphs of their own around the table rows or paragraphs to repeat), run
# this, then the template tests (test_reports), and commit both files.
set -euo pipefail
# Other sources and targets: convert-templates.sh SOURCE-FOLDER OUTPUT-FOLDER.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="${1:-$here}"
out="${2:-$here/../reports}"
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT

soffice "-env:UserInstallation=file://$profile" --headless --convert-to rtf --outdir "$out" "$src"/*.fodt

# LibreOffice ends a paragraph with "\par" and a blank. The report engine drops the "\par"
# after a block's start marker, and the blank would then begin every repeated row; a line
# break ends the control word just as well and is no text.
for f in "$src"/*.fodt; do
  f="$out/$(basename "${f%.fodt}").rtf"
  perl -0pi -e 's{(/SCAN\([A-Z-]+\)/\}\r?\n\\par) }{$1\n}g' "$f"
done
ls -l "$out"/*.rtf
