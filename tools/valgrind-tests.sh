#!/usr/bin/env bash
# Runs the engine and calculations test executables of a build folder under
# valgrind memcheck: any invalid access, use of uninitialised memory or
# definite/possible leak fails the run. No suppressions are needed.
#
#   tools/valgrind-tests.sh BUILD_DIR      e.g. tools/valgrind-tests.sh build/dev
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
command -v valgrind >/dev/null || { echo "valgrind-tests.sh: valgrind is not installed" >&2; exit 2; }

status=0
for exe in tests/engine/engine_tests tests/calculations/calculations_tests; do
    path="$build/$exe"
    [ -x "$path" ] || { echo "valgrind-tests.sh: $path not found; build the tests first" >&2; exit 2; }
    echo "== valgrind memcheck: $exe"
    start=$SECONDS
    if valgrind --tool=memcheck --quiet --error-exitcode=1 \
        --leak-check=full --show-leak-kinds=definite,possible \
        --errors-for-leak-kinds=definite,possible \
        --track-origins=yes --num-callers=30 \
        "$path" --gtest_brief=1; then
        echo "== $exe: no memcheck errors ($((SECONDS - start)) s)"
    else
        echo "== $exe: FAILED under memcheck ($((SECONDS - start)) s)"
        status=1
    fi
done
exit "$status"
