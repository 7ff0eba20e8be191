#!/usr/bin/env bash
# Installs the built program into a scratch folder and builds the Debian
# package, then checks what a desktop and a fresh machine rely on: valid
# desktop entry and AppStream data, the icon sizes, the manual beside the
# program, a command in the search path that starts the program, and the
# package's declared dependencies.
# Usage: check_package.sh <source dir> <build dir>
set -euo pipefail
src=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
id=de.moriva.Vokabeltrainer

desktop-file-validate "$src/data/desktop/$id.desktop"
appstreamcli validate --no-net "$src/data/desktop/$id.metainfo.xml"

root=$scratch/root
cmake --install "$build" --prefix "$root/usr" >/dev/null
for f in usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg \
         "usr/lib/moriva-vokabeltrainer/Vokabeltrainer - Handbuch.pdf" \
         usr/lib/moriva-vokabeltrainer/handbuch.md usr/lib/moriva-vokabeltrainer/bilder/hauptfenster.png \
         usr/share/doc/moriva-vokabeltrainer/LICENSE; do
    [ -s "$root/$f" ] || fail "missing $f"
done
for size in 16 24 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file "$png")"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null
exe=$root/usr/bin/moriva-vokabeltrainer
[ -L "$exe" ] && [ -x "$exe" ] || fail "no command in usr/bin"
grep -q "^Exec=moriva-vokabeltrainer$" "$root/usr/share/applications/$id.desktop" || fail "Exec does not name the command"

# The installed program starts through its link, sets up a fresh data folder
# with the word list and the manual, and saves on SIGTERM.
home=$scratch/home
mkdir -p "$home/config" "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/runtime \
    QT_QPA_PLATFORM=offscreen "$exe" &
pid=$!
data=$home/data/Moriva\ Vokabeltrainer
for _ in $(seq 1 100); do
    [ -s "$data/englisch.v02" ] && [ -s "$data/Vokabeltrainer - Handbuch.pdf" ] && break
    sleep 0.1
done
sleep 1
kill -TERM $pid
wait $pid || fail "the installed program ended with status $?"
[ -s "$data/benutzer.xml" ] || fail "the installed program did not save at SIGTERM"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" >/dev/null
deb=$(ls "$scratch"/pkg/moriva-vokabeltrainer_*_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for d in qt6-qpa-plugins libqt6widgets6 libqt6printsupport6 libpugixml1v5 \
         qt6-translations-l10n fonts-liberation2 fonts-comic-neue; do
    [[ $depends == *"$d"* ]] || fail "package does not depend on $d: $depends"
done
contents=$(dpkg-deb -c "$deb")
[[ $contents == *"./usr/bin/moriva-vokabeltrainer -> ../lib/moriva-vokabeltrainer/vokabeltrainer"* ]] \
    || fail "package lacks the command link"
echo "package checks passed: $(basename "$deb")"
