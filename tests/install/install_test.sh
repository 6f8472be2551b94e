#!/usr/bin/env bash
# Installs the build into a temporary folder as a package would (prefix /usr), checks that the
# desktop finds what it needs there, and starts the installed program headless to its title
# screen. Needs no root and writes only into temporary folders.
# Usage: install_test.sh BUILD_FOLDER APP_ID
set -uo pipefail
build=$1
id=$2
cmake=${CMAKE_COMMAND:-cmake}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$root/dest" "$cmake" --install "$build" --prefix /usr >"$root/install.log" 2>&1 \
  || { cat "$root/install.log"; fail "cmake --install"; exit 1; }
usr="$root/dest/usr"

for f in bin/corvana \
         share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg \
         share/corvana/multiple/track.txt \
         share/corvana/content/heart/topic.txt \
         share/corvana/wav/click.wav; do
  [ -s "$usr/$f" ] || fail "missing $f"
done
for size in 16 24 32 48 64 128 256; do
  [ -s "$usr/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || fail "missing ${size}x${size} icon"
done
[ -x "$usr/bin/corvana" ] || fail "bin/corvana is not executable"
[ -e "$usr/share/corvana/.stamp" ] && fail "build stamp installed"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
fi

# The installed program finds its media in share/corvana and shows its title screen; without
# its media it would stop at a message box, and the time limit would catch it.
mkdir -p "$root/home" "$root/runtime"
chmod 700 "$root/runtime"
out=$(cd "$root" && env -u DISPLAY HOME="$root/home" XDG_DATA_HOME="$root/home/data" \
      XDG_RUNTIME_DIR="$root/runtime" QT_QPA_PLATFORM=offscreen CORVANA_STARTUP_PROBE=1 \
      timeout 120 "$usr/bin/corvana" 2>"$root/stderr")
rc=$?
echo "installed program: $out (exit $rc)"
[ $rc -eq 0 ] || { cat "$root/stderr"; fail "the installed program exited with $rc"; }
[[ "$out" == "title shown after "* ]] || fail "the installed program did not reach its title screen"

echo "installed files:"
(cd "$root/dest" && find . -path ./usr/share/corvana -prune -o -type f -print | sort)
echo "media: $(find "$usr/share/corvana" -type f | wc -l) files in usr/share/corvana"
[ $failures -eq 0 ]
