#!/usr/bin/env bash
# The Windows side, checked from Linux: cross-compiles the Qt-free libraries
# (base, patching, discovery, presets), quorvell-cli and their unit tests for 64-bit Windows with
# mingw-w64, then runs every test program under Wine in a fresh prefix inside
# the build folder, and quorvell-cli.exe itself on a demo install. Fails when
# any test fails or any program does not finish.
#
#   bash tools/windows-tests.sh            build and run everything
#   bash tools/windows-tests.sh --no-build run what is built
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/packages.sh
need_packages "${QUORVELL_WINDOWS_PACKAGES[@]}"

build=build-mingw
if [ "${1:-}" != "--no-build" ]; then
    echo "== Windows cross build (mingw-w64)"
    cmake --preset mingw
    cmake --build --preset mingw -j 2
fi

# A prefix of our own: the registry tests write HKEY_LOCAL_MACHINE, and
# nothing of the user's ~/.wine may leak in or be touched.
export WINEPREFIX="$PWD/$build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko install prompts, no windows: these are console programs.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# The game's files use Windows-1252; this locale gives Wine that ANSI code page.
export LC_ALL=C.UTF-8

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT

echo "== Wine prefix $WINEPREFIX"
stop_wine
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log"; exit 1; }
wineserver -w

logs="$build/wine-test-logs"
rm -rf "$logs"
mkdir -p "$logs"

shopt -s nullglob
programs=("$build"/tests/*_test.exe)
if [ ${#programs[@]} -eq 0 ]; then
    echo "no Windows test programs in $build/tests" >&2
    exit 1
fi

# The last count on a gtest summary line such as "[  PASSED  ] 12 tests.".
count() {
    local tag=$1 log=$2
    grep -E "^\[ +$tag +\] [0-9]+ tests?[.,]" "$log" | tail -n 1 | sed -E 's/^[^]]*\] ([0-9]+).*/\1/' ||
        true
}

echo "== Windows tests under Wine"
passed=0
failed=0
skipped=0
broken=()
for exe in "${programs[@]}"; do
    name=$(basename "$exe" .exe)
    log="$logs/$name.log"
    start=$SECONDS
    status=0
    timeout 600 wine "$exe" --gtest_color=no >"$log" 2>&1 || status=$?
    p=$(count "PASSED" "$log")
    f=$(count "FAILED" "$log")
    s=$(count "SKIPPED" "$log")
    p=${p:-0} f=${f:-0} s=${s:-0}
    passed=$((passed + p))
    skipped=$((skipped + s))
    if [ "$status" -ne 0 ] || [ "$f" -ne 0 ] || ! grep -q '^\[==========\] .* ran\.' "$log"; then
        # A program that crashed or hung counts as one failure at least.
        [ "$f" -eq 0 ] && f=1
        failed=$((failed + f))
        broken+=("$name")
        printf 'FAIL %-32s exit %s, %s failed (%ss)\n' "$name" "$status" "$f" $((SECONDS - start))
        grep -E '^\[  FAILED  \]|Failure$|^.*\.cpp:[0-9]+: ' "$log" | head -n 40 || tail -n 40 "$log"
    else
        printf 'ok   %-32s %s passed, %s skipped (%ss)\n' "$name" "$p" "$s" $((SECONDS - start))
    fi
done

echo "== quorvell-cli.exe end to end under Wine"
source tools/lib/wine_cli_e2e.sh
if ! wine_cli_e2e "$build"; then
    failed=$((failed + 1))
    broken+=("quorvell-cli.exe end to end")
fi

if [ ${#broken[@]} -ne 0 ]; then
    echo "Failed under Wine: ${broken[*]} (full output in $logs)"
fi
echo "wine: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
