#!/usr/bin/env bash
# Builds the Debian package in a clean folder, unpacks it into a throwaway root, and checks the
# installed tree: every file in its place, the desktop entry, the file types, the metainfo and the
# package itself pass their validators, and the installed program runs (its --version, then the
# end-to-end test against it).
#   package-check.sh [WORK_DIR]    (a fresh temporary folder when not given; removed afterwards)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

if [ -n "${1:-}" ]; then
  work=$1
  rm -rf "$work"
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi

step() { echo "package-check: $*"; }
fail() { echo "package-check: FAILED: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian \
            update-mime-database rsvg-convert; do
  command -v "$tool" >/dev/null || fail "missing $tool (scripts/deps.sh installs it)"
done

step "build the package in $work/build"
cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLIMO_WERROR=ON \
  -DTALLIMO_BUILD_TESTS=OFF -DTALLIMO_HARDENING=ON >"$work/configure.log" ||
  { cat "$work/configure.log"; fail "configure"; }
cmake --build "$work/build"
(cd "$work/build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/build/tallimo-win9_*.deb)
[ -f "${debs[0]}" ] || fail "no package was made"
deb=${debs[0]}
step "made $(basename "$deb")"

step "the package's dependencies are computed"
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

root="$work/root"
step "unpack into $root"
dpkg-deb -x "$deb" "$root"
prefix="$root/usr"
id=org.tallimo.TallimoWin9
for f in bin/tallimo \
         share/tallimo-win9/samples/Sample.Lto share/tallimo-win9/samples/USPballW.Lto \
         share/tallimo-win9/samples/USPballR.Lto share/tallimo-win9/samples/Sample.INV \
         share/doc/tallimo-win9/Tlmuse.html share/doc/tallimo-win9/guide/main-menu.png \
         share/doc/tallimo-win9/copyright share/doc/tallimo-win9/changelog.gz \
         share/applications/$id.desktop share/mime/packages/$id.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/256x256/apps/$id.png share/metainfo/$id.metainfo.xml \
         share/man/man1/tallimo.1.gz; do
  [ -s "$prefix/$f" ] || fail "missing /usr/$f"
done
[ -x "$prefix/bin/tallimo" ] || fail "/usr/bin/tallimo is not executable"
# The modules loaded by the first download and the first printout, where the program looks.
for module in tallimo-network.so tallimo-print.so; do
  [ -n "$(find "$prefix/lib" -path "*/tallimo-win9/$module")" ] || fail "missing the module $module"
done

step "the program is built hardened: relro, bind-now, stack protector, fortified"
readelf -lW "$prefix/bin/tallimo" | grep -q GNU_RELRO || fail "no RELRO segment"
readelf -dW "$prefix/bin/tallimo" | grep -Eq 'BIND_NOW|FLAGS.*NOW' || fail "not bound at start (bindnow)"
symbols=$(readelf -sW --dyn-syms "$prefix/bin/tallimo")
grep -q '__stack_chk_fail' <<<"$symbols" || fail "no stack protector"
grep -q -- '-D_FORTIFY_SOURCE=2' "$work/build/compile_commands.json" || fail "not built fortified"
# Every picture the guide links to is installed beside it.
for picture in $(grep -o 'guide/[A-Za-z0-9_.-]*\.png' "$prefix/share/doc/tallimo-win9/Tlmuse.html" | sort -u); do
  [ -s "$prefix/share/doc/tallimo-win9/$picture" ] || fail "the guide's $picture is missing"
done
[ "$(file -b --mime-type "$prefix/share/icons/hicolor/48x48/apps/$id.png")" = image/png ] ||
  fail "the 48x48 icon is not a PNG"

step "validators"
desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -qx 'Exec=tallimo %f' "$prefix/share/applications/$id.desktop" || fail "Exec line"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
# The file types compile, and a name in any letter case maps to them.
cp -r "$prefix/share/mime" "$work/mime"
update-mime-database "$work/mime"
[ -f "$work/mime/application/x-tallimo-draws.xml" ] || fail "x-tallimo-draws not registered"
[ -f "$work/mime/application/x-tallimo-investments.xml" ] || fail "x-tallimo-investments not registered"
grep -qi 'application/x-tallimo-draws:\*\.lto' "$work/mime/globs" || fail "*.lto glob"
grep -qi 'application/x-tallimo-investments:\*\.inv' "$work/mime/globs" || fail "*.inv glob"
man -l "$prefix/share/man/man1/tallimo.1.gz" >/dev/null 2>"$work/man.log" || fail "man page"
[ ! -s "$work/man.log" ] || { cat "$work/man.log"; fail "the man page has warnings"; }
# Errors fail the check; warnings are shown (there are none at the time of writing).
lintian --fail-on error "$deb" || fail "lintian"

step "the installed program runs"
version=$("$prefix/bin/tallimo" --version)
[ "$version" = "Tallimo Win9 $(sed -n 's/^project(TallimoWin9 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ] ||
  fail "--version said '$version'"
echo "  $version"
bash "$source_dir/tests/e2e/e2e.sh" --installed "$prefix"
# The installed program never writes into its own folders.
[ "$(ls -A "$prefix/bin")" = tallimo ] || fail "the program wrote into $prefix/bin"
step "passed"
