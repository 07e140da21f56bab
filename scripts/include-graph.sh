#!/usr/bin/env bash
# Prints the folder graph of the project's own #include lines as a Mermaid flowchart: an arrow
# from a folder to every folder whose headers it includes, with the number of such lines. Used
# for the picture in docs/ARCHITECTURE.md:   bash scripts/include-graph.sh --update
set -euo pipefail
cd "$(dirname "$0")/.."
folder_of() {
  case "$1" in
    models/*/* | windows/*/*) echo "$1" | cut -d/ -f1-2 ;;
    *) echo "${1%%/*}" ;;
  esac
}
graph() {
  echo '```mermaid'
  echo 'flowchart BT'
  for f in $(git ls-files '*.h' '*.cpp' ':!tests/' ':!bench/' ':!fuzz/' ':!tools/'); do
    from=$(folder_of "$f")
    sed -n 's/^#include "\([^"]*\)".*/\1/p' "$f" | while read -r inc; do
      to=$(folder_of "$inc")
      if [ "$from" != "$to" ]; then echo "$from $to"; fi
    done
  done | sort | uniq -c | while read -r count from to; do
    echo "  ${from//\//_}[\"$from\"] -->|$count| ${to//\//_}[\"$to\"]"
  done
  echo '```'
}
if [ "${1:-}" = "--update" ]; then
  doc=docs/ARCHITECTURE.md
  { sed '/^<!-- include graph -->$/q' "$doc"; graph; sed -n '/^<!-- end of include graph -->$/,$p' "$doc"; } > "$doc.new"
  mv "$doc.new" "$doc"
else
  graph
fi
