#!/usr/bin/env bash
# Builds the Debian package and the .tar.gz in a plain Release build
# (build-release/, no preset, warnings not errors: as a packager would type it,
# and the tests built too, so the whole tree is known to build that way) and
# checks what a player would get: lintian passes, the desktop files validate,
# every installed file is there and nothing else (no test program, nothing
# from the build folder), and the programs start from an unpacked copy of the
# package with the system's libraries alone.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/packages.sh
need_packages "${QUORVELL_BUILD_PACKAGES[@]}" "${QUORVELL_PACKAGING_PACKAGES[@]}"

root="$(pwd)"
build="$root/build-release"
app_id=io.github.quorvell.Quorvell

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"
rm -rf "$build/packages"
(cd "$build" && cpack -G "DEB;TGZ" >/dev/null)

failures=0
fail() {
    echo "package check FAILED: $*" >&2
    failures=$((failures + 1))
}

debs=("$build"/packages/*.deb)
tgzs=("$build"/packages/*.tar.gz)
if [ ${#debs[@]} -ne 1 ] || [ ${#tgzs[@]} -ne 1 ]; then
    echo "expected one .deb and one .tar.gz in $build/packages" >&2
    exit 1
fi
deb="${debs[0]}"
tgz="${tgzs[0]}"
echo "== Checking $(basename "$deb") and $(basename "$tgz")"

programs=(quorvell quorvell-cli)
expected=()
for program in "${programs[@]}"; do
    expected+=("bin/$program")
done
expected+=(
    "share/bash-completion/completions/quorvell-cli"
    "share/applications/$app_id.desktop"
    "share/metainfo/$app_id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$app_id.svg"
    "share/doc/quorvell/README.md"
    "share/doc/quorvell/LICENSE"
    "share/doc/quorvell/copyright"
    "share/doc/quorvell/changelog.gz"
    "share/man/man1/quorvell.1.gz"
    "share/man/man1/quorvell-cli.1.gz"
)
for size in 16 32 48 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

# The package's files, as "./usr/..." paths, regular files and links only.
deb_files="$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort)"
tgz_files="$(tar -tzf "$tgz" | grep -v '/$' | sed 's|^[^/]*/||' | sort)"
for file in "${expected[@]}"; do
    grep -qxF "$file" <<<"$deb_files" || fail "$file missing from the Debian package"
done
[ "$deb_files" = "$tgz_files" ] || fail "the .tar.gz and the Debian package hold different files"
# Only the programs a player runs: no test program, demo generator or benchmark.
while read -r file; do
    case " ${expected[*]} " in *" $file "*) ;; *) fail "unexpected file in the package: $file" ;; esac
done <<<"$deb_files"
if dpkg-deb --contents "$deb" | grep -F -- "${build#/}"; then
    fail "a path in the package names the build folder"
fi
# Debian's own checks: no error and no warning (informational tags pass).
lintian --fail-on error,warning "$deb" || fail "lintian"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "dependencies not worked out from the binaries: $(dpkg-deb -f "$deb" Depends)"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/pkg"
usr="$tmp/pkg/usr"

desktop-file-validate "$usr/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" || fail "metainfo"
# The tree check also finds the desktop entry that the metainfo launches.
appstreamcli validate-tree --no-net "$tmp/pkg" >/dev/null || fail "metainfo and desktop entry"
for size in 16 32 48 128 256; do
    file "$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" | grep -qF "$size x $size" ||
        fail "the ${size} px icon is not ${size} by ${size}"
done
if grep -rlF -- "$build" "$tmp/pkg"; then
    fail "files in the package name the build folder"
fi
for program in "${programs[@]}"; do
    sections="$(readelf -S --wide "$usr/bin/$program")"
    if grep -qE '\.symtab|\.debug_' <<<"$sections"; then
        fail "$program is not stripped"
    fi
done

# The programs from the unpacked package, with a bare environment: no library
# path, no plugin path, no display (the window program then runs its command
# line without any window).
bare=(env -i PATH=/usr/bin:/bin HOME="$tmp/home" LANG=C.UTF-8)
mkdir -p "$tmp/home"
"$build/bin/quorvell-demo" "$tmp/demo" >/dev/null
maps="$tmp/demo/prefix/drive_c/Games/Thief - Deadly Shadows/Content/T3/Maps"
before="$(cat "$maps"/*.ibt | md5sum)"
if (cd "$tmp/demo" && "${bare[@]}" WINEPREFIX="$tmp/demo/prefix" "$usr/bin/quorvell" walls silent); then
    [ "$(cat "$maps"/*.ibt | md5sum)" != "$before" ] ||
        fail "quorvell walls silent left the demo maps as they were"
else
    fail "quorvell walls silent on the demo install"
fi
"${bare[@]}" "$usr/bin/quorvell" --version || fail "quorvell --version"
"${bare[@]}" "$usr/bin/quorvell-cli" --version || fail "quorvell-cli --version"
(cd "$tmp/demo" && "${bare[@]}" WINEPREFIX="$tmp/demo/prefix" "$usr/bin/quorvell-cli" list >/dev/null) ||
    fail "quorvell-cli list on the demo install"

if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed" >&2
    exit 1
fi
echo "Packages OK: $deb $tgz"
