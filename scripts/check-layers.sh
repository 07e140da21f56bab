#!/usr/bin/env bash
# Fails when a layer reaches up. The models (the tallimo_*_model libraries, tallimo_text,
# tallimo_cli, core/ and the fuzz targets) include only model headers and link only models and
# Qt Core, so none of them drags in widgets; ui/ includes only ui/ and text/; no window includes
# app/. The models are the sources that each CMakeLists.txt lists for those libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
model_targets='tallimo_(text|cli|core|[a-z]+_model)'
lists=$(git ls-files '*CMakeLists.txt')

models=$(for list in $lists; do
  awk -v dir="$(dirname "$list")/" -v re="^add_library[(]$model_targets " '
    $0 ~ re { on = 1 }
    on { for (i = 1; i <= NF; i++) if ($i ~ /\.(h|cpp)\)?$/) { sub(/\)$/, "", $i); print dir $i } }
    on && /\)/ { on = 0 }' "$list"
done; git ls-files 'core/*.h' 'fuzz/*.cpp')

fail=0
report() { echo "layers: $*"; fail=1; }
includes() { sed -n 's/^#include "\(.*\)".*/\1/p' "$1"; }

for f in $models; do
  for inc in $(includes "$f"); do
    grep -qxF "$inc" <<<"$models" || report "$f includes $inc, which is not a model header"
  done
  if grep -qE '^#include <Qt(Gui|Widgets|PrintSupport)/' "$f"; then report "$f includes Qt GUI"; fi
done

# What the models link: each target_link_libraries or tallimo_add_fuzz of a model, its names.
linked=$(for list in $lists; do
  awk -v re="^(target_link_libraries[(]$model_targets |tallimo_add_fuzz[(])" '
    $0 ~ re { on = 1 } on { print } on && /\)/ { on = 0 }' "$list"
done | grep -oE 'tallimo_[a-z_]+|Qt6::[A-Za-z]+' || true)
for name in $linked; do
  [[ $name =~ ^($model_targets|tallimo_(settings|install_paths|add_fuzz)|Qt6::Core)$ ]] ||
    report "a model links $name"
done

for f in $(git ls-files 'ui/*.h' 'ui/*.cpp' 'text/*.h' 'text/*.cpp'); do
  for inc in $(includes "$f"); do
    [[ $inc == text/* || ($f == ui/* && $inc == ui/*) ]] || report "$f includes $inc"
  done
done
for f in $(git ls-files '*.h' '*.cpp' ':!app/' ':!fuzz/' ':!tests/' ':!bench/' ':!tools/'); do
  if grep -q '^#include "app/' "$f"; then report "$f includes a header of app/"; fi
done

[[ $fail == 0 ]] && echo "layers: models, ui and windows include and link only downward"
exit $fail
