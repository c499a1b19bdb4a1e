#!/usr/bin/env bash
# Builds Corvane (release preset), installs it into the user's own prefix (~/.local, or $PREFIX)
# so the desktop's menu lists it, says where it went and how to start and stop it, and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=${PREFIX:-$HOME/.local}
cd "$top"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
cmake --install build/default --prefix "$prefix" >/dev/null
if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$prefix/share/applications" || true
fi

corvane="$prefix/bin/corvane"
cat <<EOF

Corvane is installed in $prefix:
  $corvane (the program), $prefix/share/applications/org.example.Corvane.desktop (the menu entry)
Start it from the desktop's menu (Corvane), or run: $corvane
Stop it with "Exit Corvane" in its tray icon's menu (right-click the icon; without a tray,
right-click its window), or with kill and the process number printed below.
Remove it: xargs rm -f < $top/build/default/install_manifest.txt
  and its log-on entry: rm -f ${XDG_CONFIG_HOME:-$HOME/.config}/autostart/Corvane.desktop
EOF
case ":${XDG_DATA_DIRS:-/usr/local/share:/usr/share}:${XDG_DATA_HOME:-$HOME/.local/share}:" in
*":$prefix/share:"*) ;;
*) echo "Note: $prefix/share is not among the desktop's data folders; the menu will not list Corvane." ;;
esac

# Detached from this terminal; a copy already running from this prefix makes it end silently.
setsid "$corvane" </dev/null >/dev/null 2>&1 &
echo "Started: process $! (stop it with: kill $!)."
