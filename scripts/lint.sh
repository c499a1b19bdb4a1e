#!/usr/bin/env bash
# Lint: every tracked C++ file formatted as .clang-format says, and clang-tidy with .clang-tidy
# (warnings are errors there) over the sources, tests and tools, on the test preset's
# compile_commands.json. Run after the test preset has been built: clang-tidy needs the files
# that moc and rcc generate. Exits non-zero on any finding.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
build=${CORVANE_LINT_BUILD:-build/test}
jobs=${CORVANE_LINT_JOBS:-$(nproc)}

echo "clang-format: checking $(git ls-files '*.cpp' '*.h' | wc -l) files"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

if [[ ! -f $build/compile_commands.json ]]; then
    echo "lint.sh: $build/compile_commands.json is missing; configure and build the test preset first" >&2
    exit 1
fi
# Only the project's own files: not the generated moc and rcc sources of the build tree.
headers="^$top/(src|tests|tools)/"
files="^$top/(src|tests|tools)/.*\\.cpp\$"
echo "clang-tidy: $jobs jobs"
if command -v run-clang-tidy >/dev/null; then
    # run-clang-tidy exits non-zero when any clang-tidy call does (a finding is an error).
    run-clang-tidy -quiet -j "$jobs" -p "$build" -header-filter="$headers" "$files"
else
    python3 -c 'import json,re,sys
for e in json.load(open(sys.argv[1])):
    if re.search(sys.argv[2], e["file"]): print(e["file"])' "$build/compile_commands.json" "$files" |
        xargs -r -P "$jobs" -n 1 clang-tidy --quiet -p "$build" -header-filter="$headers"
fi
