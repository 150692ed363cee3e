#!/usr/bin/env bash
# Builds Quorvell and opens it on the demo install (made on first use), or on
# your own game when QUORVELL_REAL_GAME=1. Arguments are passed to the program,
# so `tools/run.sh "walls silent"` runs the command-line mode on the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/packages.sh
need_packages "${QUORVELL_BUILD_PACKAGES[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target quorvell quorvell-demo

root="$(pwd)"
program="$root/build/bin/quorvell"
if [ "${QUORVELL_REAL_GAME:-0}" = 1 ]; then
    exec "$program" "$@"
fi

demo="$root/build/demo"
# Writes the demo on first use and keeps it afterwards.
"$root/build/bin/quorvell-demo" "$demo"
export WINEPREFIX="$demo/prefix"
cd "$demo"

if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    need_packages "${QUORVELL_DISPLAY_PACKAGES[@]}"
    echo "No display found: opening the window on a virtual X server (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$program"
fi
exec "$program" "$@"
