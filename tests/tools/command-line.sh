#!/bin/sh
# The programs' command lines: --help and --version print on standard
# output and change nothing, a wrong option is an error with the usage, and
# every program tells the same version.
set -eu
BUILD=$1
SOURCE=$2
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
. "$SOURCE/tests/tools/expect.shlib"

# Nothing may be written in the user's folders, and --help needs no display.
export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/home/.config" XDG_DATA_HOME="$TMP/home/.local/share"
mkdir -p "$HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM || true
version=$(sed -n 's/^project(qrn VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")

check() { # what status-wanted command...
    what=$1 want=$2
    shift 2
    status=0
    "$@" >"$TMP/out" 2>"$TMP/err" || status=$?
    [ "$status" -eq "$want" ] || { echo "FAIL: $what: status $status, not $want"; cat "$TMP/err"; failed=1; }
    if [ -n "$(ls -A "$HOME")" ]; then
        echo "FAIL: $what wrote into the home folder:"
        find "$HOME"
        failed=1
        rm -rf "$HOME" && mkdir -p "$HOME"
    fi
}

for program in qrn qrn-search qrn-brief qrn-send qrn-setup qrn-validate qrn-import-targets; do
    check "$program --help" 0 "$BUILD/$program" --help
    grep -q "^Usage: $program " "$TMP/out" || { echo "FAIL: $program --help prints no usage"; failed=1; }
    [ ! -s "$TMP/err" ] || { echo "FAIL: $program --help wrote to standard error"; failed=1; }

    check "$program --version" 0 "$BUILD/$program" --version
    [ "$(cat "$TMP/out")" = "$program $version" ] ||
        { echo "FAIL: $program --version says '$(cat "$TMP/out")', not '$program $version'"; failed=1; }

    # The window program gets past Qt's own options only with a platform.
    check "$program --no-such-option" 2 env QT_QPA_PLATFORM=offscreen "$BUILD/$program" --no-such-option
    grep -q "no-such-option" "$TMP/err" && grep -q "^Usage: $program " "$TMP/err" ||
        { echo "FAIL: $program does not name the wrong option with the usage"; cat "$TMP/err"; failed=1; }
done

# A data folder without the shipped target list sets nothing up.
check "qrn-setup with a wrong folder" 1 "$BUILD/qrn-setup" "$TMP/nothing"

check "qrn-demo-catalogue --help" 0 "$SOURCE/scripts/demo-catalogue" --help
grep -q "start" "$TMP/out" || { echo "FAIL: demo-catalogue --help prints no usage"; failed=1; }

exit $failed
