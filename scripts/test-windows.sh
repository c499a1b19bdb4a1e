#!/usr/bin/env bash
# Cross-builds the Windows program, its services and their tests with MinGW-w64 and runs them
# under Wine with the windows test preset: the services' tests in a Wine prefix that the
# preset's fixture makes and removes, the end-to-end tests each in a private desktop and prefix
# of their own. Arguments go to ctest.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

cmake --preset windows
cmake --build --preset windows

# One test at a time: the end-to-end tests each start a desktop.
ctest --preset windows --timeout 600 "$@"
