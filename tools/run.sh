#!/usr/bin/env bash
# Builds Quorvell and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/packages.sh
need_packages "${QUORVELL_BUILD_PACKAGES[@]}"
cmake --preset default
cmake --build --preset default
