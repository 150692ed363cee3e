# quorvell-cli.exe at work under Wine (sourced by windows-tests.sh): on a demo
# install written by the cross-built generator, the text a player reads, the
# exit statuses, the maps after each write, the missing textures, and output
# lost on a full disk. Runs in the Wine prefix the caller set up.
#
#   wine_cli_e2e BUILD_FOLDER    prints one line per check; fails when any fails

wine_cli_e2e() {
    local build=$1
    local dir="$PWD/$build/wine-cli-e2e"
    local cli="$PWD/$build/bin/quorvell-cli.exe"
    local game="prefix/drive_c/Games/Thief - Deadly Shadows"
    local failures=0
    rm -rf "$dir"
    mkdir -p "$dir"
    wine "$PWD/$build/bin/quorvell-demo.exe" "$dir/demo" >/dev/null 2>&1 ||
        { echo "FAIL quorvell-demo.exe could not write the demo install"; return 1; }

    # Runs the program in the demo folder on its game: its standard output,
    # with the console's CR LF made LF, in $out.
    local out
    cli() {
        out=$(cd "$dir/demo" && wine "$cli" --game "$game" "$@" 2>/dev/null | tr -d '\r') || true
    }
    cli_status() {
        (cd "$dir/demo" && wine "$cli" --game "$game" "$@" >/dev/null 2>&1)
    }
    check() {
        local what=$1
        shift
        if "$@"; then
            echo "ok   quorvell-cli.exe: $what"
        else
            echo "FAIL quorvell-cli.exe: $what"
            failures=$((failures + 1))
        fi
    }
    holds() { grep -qF -- "$1" <<<"$out"; }
    exits() {
        local want=$1
        shift
        local got=0
        cli_status "$@" || got=$?
        [ "$got" -eq "$want" ]
    }
    maps() { cat "$dir/demo/$game/Content/T3/Maps/"*.ibt | md5sum; }

    cli list
    check "list" holds '[x] Door_oak.dds      on in 1 of 2 maps  \System\Data'
    local before
    before=$(maps)
    cli apply walls --dry-run
    check "apply --dry-run counts and writes nothing" \
        holds 'Applying preset "walls" would change 6 references in 3 of 3 maps; nothing was written.'
    check "apply --dry-run writes nothing" test "$(maps)" = "$before"
    cli --json apply walls
    check "apply writes the maps" test "$(maps)" != "$before"
    check "apply --json" holds '"referencesChanged": 6'
    check "an unknown preset is status 2" exits 2 apply Walls
    check "a mistyped command line is status 64" exits 64 list --frobnicate
    check "output lost on a full disk is status 1" \
        bash -c "cd '$dir/demo' && ! wine '$cli' --version >/dev/full 2>/dev/null"

    rm "$dir/demo/$game/Content/T3/Bitmaps/Wall_brick01.dds"
    cli status
    check "status names a missing texture" \
        holds 'Missing:      Wall_brick01.dds — file missing, on in 3 of 3 maps'
    cli off --missing
    check "off --missing" holds 'Switching off the missing textures Wall_brick01.dds changed'
    cli status
    check "no missing texture after off --missing" eval '! holds Missing:'
    [ "$failures" -eq 0 ]
}
