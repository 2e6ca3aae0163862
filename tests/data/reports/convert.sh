#!/usr/bin/env bash
# Writes the test templates *.rtf of this folder from their LibreOffice sources (*.fodt)
# with the script that makes the bundled templates.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exec "$here/../../../examples/report-sources/convert-templates.sh" "$here" "$here"
