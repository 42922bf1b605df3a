#!/usr/bin/env bash
# Static checks for CI:
#   1. clang-tidy with the repository's .clang-tidy on the project's .cpp files
#      (engine, form, numbers, conversions, calculations, platform, cli, batch, web,
#      window, python, bench, tests, and fuzz where the build compiled it), using
#      BUILD_DIR/compile_commands.json.
#      Generated files (moc, rcc) are skipped.
#   2. clang-format --dry-run -Werror on every project .cpp and .h file.
#
#   tools/check-static.sh BUILD_DIR      e.g. tools/check-static.sh build/dev
# BUILD_DIR must have been built (or at least had its autogen step run), so
# that the moc output the sources include exists. JOBS overrides the 2 jobs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
jobs=${JOBS:-2}
db="$build/compile_commands.json"
[ -f "$db" ] || { echo "check-static.sh: $db not found; configure the build first" >&2; exit 2; }

tidy=$(command -v clang-tidy || command -v clang-tidy-14 || true)
format=$(command -v clang-format || command -v clang-format-14 || true)
[ -n "$tidy" ] || { echo "check-static.sh: clang-tidy is not installed" >&2; exit 2; }
[ -n "$format" ] || { echo "check-static.sh: clang-format is not installed" >&2; exit 2; }

dirs='engine|form|numbers|conversions|calculations|platform|cli|batch|window|web|python|bench|tests|fuzz'
# Headers are checked as they are included; the header filter takes only the
# project's own .h files, not the .moc files that moc writes into the build
# tree (whose paths contain window/ too).
header_filter="^$root/($dirs)/.*\.h$"

status=0

echo "== clang-tidy ($("$tidy" --version | grep -m1 -o 'version [0-9.]*'), $jobs jobs)"
start=$SECONDS
mapfile -t files < <(python3 - "$db" "$root" "$dirs" <<'EOF'
import json, re, sys
db, root, dirs = sys.argv[1:4]
pattern = re.compile(r"^" + re.escape(root) + r"/(" + dirs + r")/.*\.cpp$")
seen = set()
for entry in json.load(open(db)):
    f = entry["file"]
    if pattern.match(f) and "_autogen/" not in f and f not in seen:
        seen.add(f)
        print(f)
EOF
)
[ "${#files[@]}" -gt 0 ] || { echo "check-static.sh: no project files in $db" >&2; exit 2; }
echo "${#files[@]} files"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
runner=$(command -v run-clang-tidy || command -v run-clang-tidy-14 || true)
if [ -n "$runner" ]; then
    # run-clang-tidy takes regular expressions; anchor each file's path.
    regexes=()
    for f in "${files[@]}"; do regexes+=("^$(printf '%s' "$f" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"); done
    "$runner" -clang-tidy-binary "$tidy" -p "$build" -j "$jobs" -quiet \
        -header-filter "$header_filter" "${regexes[@]}" >"$log" 2>&1 || status=1
else
    printf '%s\0' "${files[@]}" |
        xargs -0 -P "$jobs" -n 1 "$tidy" -p "$build" --quiet --header-filter "$header_filter" \
            >"$log" 2>&1 || status=1
fi
# Only the findings and their notes; the per-file "N warnings generated"
# counts are of suppressed system-header warnings.
sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^(/[^ ]*/)?clang-tidy(-[0-9]+)? .*-p=|^Suppressed [0-9]+ warnings|^Use -header-filter|^Enabled checks:|^Running clang-tidy for' || true
if [ "$status" -eq 0 ]; then
    echo "== clang-tidy: clean ($((SECONDS - start)) s)"
else
    echo "== clang-tidy: FINDINGS ($((SECONDS - start)) s)"
fi

echo "== clang-format ($("$format" --version | grep -m1 -o 'version [0-9.]*'))"
start=$SECONDS
mapfile -t sources < <(cd "$root" && find engine form numbers conversions calculations platform cli batch window bench tests fuzz \
    -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
if (cd "$root" && "$format" --dry-run -Werror "${sources[@]}"); then
    echo "== clang-format: clean, ${#sources[@]} files ($((SECONDS - start)) s)"
else
    echo "== clang-format: FINDINGS"
    status=1
fi
exit "$status"
