#!/usr/bin/env bash
# The Wine prefix of the Windows services' tests, as ctest's fixture: "up" makes it anew and
# starts its server and system processes, "down" ends them and removes it.
# Usage: wine_prefix.sh up|down <prefix folder> <wine64>
set -euo pipefail
action=$1 wine64=$3
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No display: the services' tests need none, and no window of theirs may reach the user's desktop.
unset DISPLAY WAYLAND_DISPLAY

# Wine's processes outlive this script: none may hold ctest's output, which ctest reads to its end.
quiet() { "$@" </dev/null >/dev/null 2>&1; }

stop() {
    quiet wineserver -k || true
    quiet wineserver -w || true
}

case $action in
up)
    stop # a server an interrupted run left behind
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # A persistent server and a prepared prefix, so no test pays for the prefix's start-up.
    quiet wineserver -p
    quiet "$wine64" wineboot -i
    # Without a display Wine refuses top-level windows unless its null graphics driver is
    # chosen; with it the window tests make real windows that nobody sees.
    quiet "$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
    # The session chose its driver when it started: it starts again with the null driver, and
    # its system processes (services, devices) with it, here rather than on demand by a test.
    stop
    quiet wineserver -p
    quiet "$wine64" wineboot -r
    ;;
down)
    stop
    rm -rf "$WINEPREFIX"
    ;;
*)
    echo "usage: $0 up|down <prefix folder> <wine64>" >&2
    exit 2
    ;;
esac
