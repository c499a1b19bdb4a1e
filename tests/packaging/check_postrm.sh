#!/bin/sh
# The package's postrm on a stand-in root: the system-wide autostart entry of /usr/bin/corvane
# goes on remove and purge, never on upgrade, and an entry that starts another program stays.
set -u
postrm=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
folder="$root/etc/xdg/autostart"
failed=0
check() { # action, Exec value, expected: gone or kept
    mkdir -p "$folder"
    printf '[Desktop Entry]\nType=Application\nName=Corvane\nExec=%s\n' "$2" >"$folder/Corvane.desktop"
    DPKG_ROOT=$root sh "$postrm" "$1" || { echo "postrm $1 failed"; failed=1; }
    if [ -e "$folder/Corvane.desktop" ]; then found=kept; else found=gone; fi
    [ "$found" = "$3" ] || { echo "postrm $1, Exec=$2: $found, expected $3"; failed=1; }
    rm -f "$folder/Corvane.desktop"
}
check remove '"/usr/bin/corvane"' gone
check purge '/usr/bin/corvane' gone
check remove 'env "/usr/bin/corvane"' gone
check upgrade '"/usr/bin/corvane"' kept
check remove '"/opt/corvane/bin/corvane"' kept
check remove '"/usr/bin/corvane" --other' kept
DPKG_ROOT=$root sh "$postrm" remove || { echo "postrm without an entry failed"; failed=1; }
exit $failed
