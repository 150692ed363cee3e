#!/usr/bin/env bash
# Builds Quorvell and runs every test: the Linux build (GCC), the sanitizer
# build (Clang, so the tree also compiles with a second compiler),
# a short fuzzing run, the Windows cross build under Wine, and the Linux
# packages built and checked.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/packages.sh
need_packages "${QUORVELL_BUILD_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen
unset QT_QPA_PLATFORMTHEME

echo "== Formatting: every tracked C++ file as clang-format writes it"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

echo "== Linux build and tests"
cmake --workflow --preset default

echo "== Clang build with AddressSanitizer and UndefinedBehaviorSanitizer, and its tests"
cmake --workflow --preset asan

echo "== Fuzzing the record walk (short, bounded run)"
QUORVELL_FUZZ_SECONDS=${QUORVELL_FUZZ_SECONDS:-30} bash tools/fuzz.sh

echo "== Windows: mingw-w64 cross build, tests under Wine"
bash tools/windows-tests.sh

echo "== Packages: plain Release build without a preset, Debian package and .tar.gz, checked"
bash tools/package.sh
