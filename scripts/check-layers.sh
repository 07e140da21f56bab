#!/usr/bin/env bash
# Fails when a layer reaches up, or when two folders include each other's headers, directly or
# round a longer loop. The layers, bottom to top, are the folders of the tree:
#   text/                       pure helpers: includes only text/
#   models/<model>/             Qt Core only; a model includes text/ and the models declared
#                               before it in models/CMakeLists.txt (draws, stats, picks, ...)
#   ui/                         the platform layer: includes ui/ and text/
#   net/                        downloads, a platform layer too: includes net/ and text/, no
#                               QtGui or QtWidgets header
#   windows/<feature>/          include models, ui/, net/, text/ and the printouts; never each
#                               other
#   cli/                        models, net/ and text/ only, no QtGui or QtWidgets header
#   app/                        start-up: anything; nothing but app/ includes app/ or windows/
# The models link only models, the build settings and Qt Core; net/ links only text/, Qt Core and
# Qt Network.
set -euo pipefail
cd "$(dirname "$0")/.."
fail=0
report() { echo "layers: $*"; fail=1; }

# The models' declared order.
order=$(sed -n 's/^add_subdirectory(\([a-z]*\))$/\1/p' models/CMakeLists.txt)
rank() { local i=0 m; for m in $order; do [ "$m" = "$1" ] && { echo "$i"; return; }; i=$((i + 1)); done; echo -1; }

# The folder of a path: models/x and windows/x are folders of their own, else the first part.
folder() {
  case "$1" in
    models/*/* | windows/*/*) echo "$1" | cut -d/ -f1-2 ;;
    */*) echo "${1%%/*}" ;;
    *) echo . ;;
  esac
}

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for f in $(git ls-files '*.h' '*.cpp' ':!tests/' ':!bench/' ':!fuzz/' ':!tools/'); do
  from=$(folder "$f")
  for inc in $(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$f"); do
    to=$(folder "$inc")
    [ "$from" = "$to" ] && continue
    echo "$from $to" >>"$edges"
    case "$from" in
      text) report "$f includes $inc: text/ includes only text/" ;;
      models/*)
        case "$to" in
          text) ;;
          models/*)
            [ "$(rank "${to#models/}")" -ge 0 ] && [ "$(rank "${to#models/}")" -lt "$(rank "${from#models/}")" ] ||
              report "$f includes $inc: a model includes only the models declared before it" ;;
          *) report "$f includes $inc: a model includes only text/ and models" ;;
        esac ;;
      ui) [ "$to" = text ] || report "$f includes $inc: ui/ includes only ui/ and text/" ;;
      net) [ "$to" = text ] || report "$f includes $inc: net/ includes only net/ and text/" ;;
      windows/*)
        case "$to" in
          text | ui | net | models/* | windows/printouts) ;;
          *) report "$f includes $inc: a window includes models, ui/, net/ and text/" ;;
        esac ;;
      cli)
        case "$to" in
          text | net | models/*) ;;
          *) report "$f includes $inc: cli/ includes models, net/ and text/" ;;
        esac ;;
    esac
  done
  case "$(folder "$f")" in
    text | models/* | net | cli)
      if grep -qE '^#include <Qt(Gui|Widgets|PrintSupport)/|^#include <Q(Widget|Application|Painter|Dialog)>' "$f"; then
        report "$f includes a QtGui or QtWidgets header"
      fi ;;
  esac
done
for f in $(git ls-files 'fuzz/*.cpp'); do
  for inc in $(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$f"); do
    case "$inc" in text/* | models/*) ;; *) report "$f includes $inc: a fuzz target reads models only" ;; esac
  done
done

# What the models link.
linked=$(for list in $(git ls-files 'models/*CMakeLists.txt' 'text/CMakeLists.txt'); do
  awk '/^target_(link_libraries|sources)[(]/ { on = 1 } on { print } on && /\)/ { on = 0 }' "$list"
done | grep -oE 'tallimo_[a-z_]+|Qt6::[A-Za-z]+|Boost::[a-z]+' || true)
for name in $linked; do
  [[ $name =~ ^(tallimo_[a-z]+_model|tallimo_text|tallimo_settings|Qt6::Core|Boost::headers)$ ]] ||
    report "a model links $name"
done
# What net/ links.
linked=$(for list in $(git ls-files 'net/CMakeLists.txt'); do
  awk '/^target_link_libraries[(]/ { on = 1 } on { print } on && /\)/ { on = 0 }' "$list"
done | grep -oE 'tallimo_[a-z_]+|Qt6::[A-Za-z]+|Boost::[a-z]+' || true)
for name in $linked; do
  [[ $name =~ ^(tallimo_net|tallimo_net_module|tallimo_text|tallimo_settings|Qt6::Core|Qt6::Network)$ ]] ||
    report "net/ links $name"
done

# No loop between folders: repeatedly drop the folders that include no other, and those that no
# other includes; what is left lies on a loop.
sort -u "$edges" -o "$edges"
left=$(cat "$edges")
while [ -n "$left" ]; do
  froms=$(awk '{print $1}' <<<"$left" | sort -u)
  tos=$(awk '{print $2}' <<<"$left" | sort -u)
  ends=$( (comm -23 <(echo "$tos") <(echo "$froms"); comm -23 <(echo "$froms") <(echo "$tos")) | sed '/^$/d')
  [ -z "$ends" ] && break
  left=$(awk 'NR == FNR { e[$1] = 1; next } !($1 in e) && !($2 in e)' <(echo "$ends") <(echo "$left"))
done
[ -n "$left" ] && report "folders include each other round a loop: $(echo "$left" | tr '\n' ';')"

[[ $fail == 0 ]] && echo "layers: the folders include and link only downward, in their declared order, without a loop"
exit $fail
