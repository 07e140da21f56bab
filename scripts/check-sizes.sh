#!/usr/bin/env bash
# Fails when a source file of the program holds more than 600 lines, or a function more than 60.
# A function's body is what lies between a "{" and a "}" alone at the start of a line, as the
# formatter lays out every function and method defined at namespace level.
set -euo pipefail
cd "$(dirname "$0")/.."
fail=0
for f in $(git ls-files '*.h' '*.cpp' ':!tests/' ':!bench/' ':!fuzz/' ':!tools/'); do
  lines=$(wc -l <"$f")
  if [ "$lines" -gt 600 ]; then
    echo "sizes: $f has $lines lines (at most 600)"
    fail=1
  fi
  awk -v file="$f" '
    /^\{/ { start = NR; name = previous; next }
    /^\}/ && start { n = NR - start - 1; if (n > 60) { printf "sizes: %s:%d: %s has %d lines (at most 60)\n", file, start, name, n; bad = 1 } start = 0 }
    { previous = $0 }
    END { exit bad }' "$f" || fail=1
done
[[ $fail == 0 ]] && echo "sizes: every file within 600 lines, every function within 60"
exit $fail
