#!/usr/bin/env bash
# Cross-builds the Windows program (release) with MinGW-w64 and makes its installer with NSIS:
# build/windows-release/Corvane-4.0-setup.exe, beside the program folder in
# build/windows-release/bin (Corvane4.0.exe, corvanehelp.htm, Media\notify.wav).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
scripts/install-deps.sh
cmake --preset windows-release
cmake --build --preset windows-release --target corvane_installer
echo "Installer: $top/build/windows-release/Corvane-4.0-setup.exe"
echo "Program folder: $top/build/windows-release/bin"
