#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks that it installs like a desktop
# application: program, menu entry, icons and metainfo in their standard places, all valid.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
deb=$(ls "$scratch"/out/*.deb)
dpkg-deb -x "$deb" "$scratch/root"

id=com.arcanelsoftwares.ZorvelFreeTintwise
fail=0
for f in usr/bin/ZorvelFreeTintwise \
         usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/32x32/apps/$id.png \
         usr/share/icons/hicolor/256x256/apps/$id.png; do
  [ -e "$scratch/root/$f" ] || { echo "missing in package: $f"; fail=1; }
done
[ -x "$scratch/root/usr/bin/ZorvelFreeTintwise" ] || { echo "program not executable"; fail=1; }

desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop" || fail=1
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml" >/dev/null || fail=1

# The menu entry must start the installed program by name and show the installed icon.
grep -qx "Exec=ZorvelFreeTintwise" "$scratch/root/usr/share/applications/$id.desktop" || { echo "Exec wrong"; fail=1; }
grep -qx "Icon=$id" "$scratch/root/usr/share/applications/$id.desktop" || { echo "Icon wrong"; fail=1; }

# The package names what the program needs at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 qt6-qpa-plugins fonts-dejavu-core; do
  case "$depends" in *"$need"*) ;; *) echo "Depends lacks $need: $depends"; fail=1 ;; esac
done

[ $fail -eq 0 ] && echo "package $(basename "$deb") installs and validates"
exit $fail
