#!/usr/bin/env bash
# Builds the test preset (debug, sanitizers, warnings as errors) and runs every test: unit, widget
# and e2e (the e2e tests install the build into a folder of the build tree); then the Windows
# services, cross-built with MinGW-w64 and tested under Wine; then lint (clang-format, clang-tidy).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
scripts/install-deps.sh
cmake --preset test
cmake --build --preset test
# The core compiles for Windows with the MinGW cross compiler, without any toolkit.
scripts/check-core-mingw.sh
ctest --preset test "$@"
scripts/test-windows.sh
scripts/lint.sh
