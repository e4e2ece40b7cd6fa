#!/usr/bin/env bash
# Builds the Debian package the Debian way out of a scratch copy of the sources, and checks it as Debian's
# tools would: lintian with no error or warning, every applicable hardening feature in the program, the
# desktop files in their places and valid, the manual page, the dependencies, and an installed program that
# answers --version without a display.
#   package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
build=$(mkdir -p "$2" && cd "$2" && pwd)
# A fixed place inside the build tree, so ccache finds the same paths on the next run.
scratch="$build/package-test"
rm -rf "$scratch"
mkdir -p "$scratch/src"

# Copy what belongs to the sources: tracked and new files, no build trees.
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  skip=""
  case "$build/" in "$src/"*) skip=${build#"$src/"} ;; esac
  git -C "$src" ls-files -z --cached --others --exclude-standard |
    { if [ -n "$skip" ]; then grep -zv "^$skip/"; else cat; fi; } |
    tar -C "$src" --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -C "$scratch/src" -xf -
else
  tar -C "$src" --exclude=./.git --exclude='./build*' --exclude="./${build#"$src/"}" -cf - . |
    tar -C "$scratch/src" -xf -
fi

started=$(date +%s)
if ! (cd "$scratch/src" &&
      DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=$(nproc)}" dpkg-buildpackage -b -us -uc) \
      >"$scratch/build.log" 2>&1; then
  tail -n 60 "$scratch/build.log"
  echo "FAIL: dpkg-buildpackage"
  exit 1
fi
echo "dpkg-buildpackage took $(($(date +%s) - started)) s"

deb=$(ls "$scratch"/zorvel-tintwise_*.deb)
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes"
fail=0

# Debian's checker: nothing above the informational level. Overrides, if ever needed, go in
# debian/zorvel-tintwise.lintian-overrides with the reason on the line above each.
echo "--- lintian"
lintian --fail-on error,warning --display-info "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || { echo "FAIL: lintian reports errors or warnings"; fail=1; }

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/games/ZorvelFreeTintwise"

# hardening-check says "unknown" only where the program has nothing the feature would protect (no large
# stack frames). Control flow integrity applies only where the C library's start files carry the mark:
# the linker drops it from any program with one unmarked object, so on Debian 12 no program has it.
echo "--- hardening-check"
report=$(hardening-check "$program" 2>&1) || true
echo "$report"
missing=$(echo "$report" | tail -n +2 | grep -v -e ': yes' -e ': unknown, no ' || true)
if [ -n "$missing" ] && ! readelf -n "$(gcc -print-file-name=Scrt1.o)" 2>/dev/null | grep -q 'x86 feature: IBT, SHSTK'; then
  missing=$(echo "$missing" | grep -v '^ Control flow integrity: no' || true)
  echo "(control flow integrity: not applicable, the C library's start files do not carry it)"
fi
if [ -n "$missing" ]; then
  echo "FAIL: hardening-check finds a feature missing"
  fail=1
fi
echo "---"

id=com.arcanelsoftwares.ZorvelFreeTintwise
doc=usr/share/doc/zorvel-tintwise
for f in usr/games/ZorvelFreeTintwise \
         usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/32x32/apps/$id.png \
         usr/share/icons/hicolor/256x256/apps/$id.png \
         usr/share/man/man6/ZorvelFreeTintwise.6.gz \
         $doc/copyright $doc/changelog.gz; do
  [ -e "$root/$f" ] || { echo "FAIL: missing in package: $f"; fail=1; }
done
[ -x "$program" ] || { echo "FAIL: program not executable"; fail=1; }

desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail=1
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null || fail=1
# The menu entry must start the installed program by name and show the installed icon.
grep -qx "Exec=ZorvelFreeTintwise" "$root/usr/share/applications/$id.desktop" || { echo "FAIL: Exec wrong"; fail=1; }
grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" || { echo "FAIL: Icon wrong"; fail=1; }

# man and whatis find the page under its name.
whatis=$(lexgrog "$root/usr/share/man/man6/ZorvelFreeTintwise.6.gz" 2>&1) || true
case "$whatis" in *'"ZorvelFreeTintwise - divination by colour"'*) ;;
  *) echo "FAIL: manual page has no usable NAME line: $whatis"; fail=1 ;; esac

# The package names what the program needs at run time, computed and by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for need in libc6 libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-dejavu-core fonts-liberation2; do
  case ", $depends," in *", $need "*|*", $need,"*) ;; *) echo "FAIL: Depends lacks $need: $depends"; fail=1 ;; esac
done

# The installed program answers without a display.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>"$scratch/version.err") && rc=0 || rc=$?
if [ "$rc" -ne 0 ] || [ "$out" != "ZorvelFreeTintwise 1.25" ] || [ -s "$scratch/version.err" ]; then
  echo "FAIL: installed program --version: status $rc, output '$out', errors: $(cat "$scratch/version.err")"
  fail=1
fi

[ $fail -eq 0 ] && echo "package $(basename "$deb") builds, passes lintian and hardening-check, installs and starts"
exit $fail
