#!/usr/bin/env bash
# Builds Corvane (release preset), installs it into build/default-install and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
cmake --install build/default >/dev/null
exec build/default-install/bin/corvane "$@"
