#!/usr/bin/env bash
# Cross-builds the Windows program, its services and their tests with MinGW-w64 and runs them
# under Wine: the services' tests in a Wine prefix of their own that is removed afterwards, the
# end-to-end tests each in a private desktop and prefix of their own. Arguments go to ctest.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=$(command -v wine64 || command -v wine)

cmake --preset windows
cmake --build --preset windows

export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No display: the services' tests need none, and no window of theirs may reach the user's
# desktop. The end-to-end tests make their own.
unset DISPLAY WAYLAND_DISPLAY

finish() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap finish EXIT

# A persistent server and a prepared prefix, so no test pays for the prefix's start-up; made
# after the build.
wineserver -p
"$wine64" wineboot -i </dev/null >/dev/null 2>&1
# Without a display Wine refuses top-level windows unless its null graphics driver is chosen;
# with it the window tests make real windows that nobody sees.
"$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
# The session chose its driver when it started: it starts again with the null driver. Its
# system processes (services, devices) are started here, by a restart: started on demand by a
# test, they would inherit its output and hold ctest waiting for them to end, which they never do.
wineserver -k
wineserver -w
wineserver -p
"$wine64" wineboot -r </dev/null >/dev/null 2>&1

# One test at a time: the registry suites share the prefix's settings key, and the end-to-end
# tests each start a desktop.
ctest --preset windows --timeout 600 "$@"
