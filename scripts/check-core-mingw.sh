#!/usr/bin/env bash
# Compiles the core (src/core, with the interfaces of src/platform it builds on) with the MinGW
# cross compiler for Windows: the core must stay standard C++20 that no toolkit owns. Only the
# syntax and types are checked; nothing is linked.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
compiler=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
if ! command -v "$compiler" >/dev/null; then
    echo "check-core-mingw: $compiler not found (Debian: g++-mingw-w64-x86-64-posix)" >&2
    exit 1
fi
status=0
for source in "$top"/src/core/*.cpp; do
    if ! "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I"$top/src" "$source"; then
        status=1
    fi
done
if [ "$status" -eq 0 ]; then
    echo "check-core-mingw: the core compiles for Windows ($(ls "$top"/src/core/*.cpp | wc -l) sources)"
fi
exit "$status"
