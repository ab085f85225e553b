#!/bin/sh
# Installs what is missing, builds KORVEL and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ $# -eq 0 ]; then
    cat <<'EOF_NO_DISPLAY'
KORVEL's window needs a graphical display, and this session has none (neither DISPLAY nor WAYLAND_DISPLAY is set).
Without a display, use the batch run or the PDF report instead, for example:
    build/bin/korvel-batch build/bin/dummy.kori -o results.koro     (every case of a batch file, results table)
    build/bin/korvel-batch --detail 1 build/bin/dummy.kori           (every quantity of one case)
    build/bin/korvel --pdf report.pdf --selection 3 [PROJECT.korvp]  (the one-page report as PDF)
EOF_NO_DISPLAY
    exit 1
fi
exec build/bin/korvel "$@"
