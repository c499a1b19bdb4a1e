#!/usr/bin/env bash
# Cross-builds the Windows services and their tests with MinGW-w64 and runs them under Wine,
# in a Wine prefix of their own that is removed afterwards. Arguments go to ctest.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=$(command -v wine64 || command -v wine)
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No display: the tests need none, and no window of theirs may reach the user's desktop.
unset DISPLAY WAYLAND_DISPLAY

finish() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap finish EXIT

# A persistent server and a prepared prefix, so no test pays for the prefix's start-up.
wineserver -p
"$wine64" wineboot -i </dev/null >/dev/null 2>&1
# Without a display Wine refuses top-level windows unless its null graphics driver is chosen;
# with it the window tests make real windows that nobody sees. The desktop that the prefix's
# start-up made keeps its driver: the server starts anew.
"$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -k
wineserver -w
wineserver -p
# The desktop process, started on demand otherwise, would inherit the first test's output
# and hold ctest waiting for it to end.
setsid "$wine64" explorer.exe /desktop </dev/null >/dev/null 2>&1 &

cmake --preset windows
cmake --build --preset windows
# One test at a time: the registry suites share the prefix's settings key.
ctest --preset windows --timeout 180 "$@"
