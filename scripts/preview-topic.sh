#!/usr/bin/env bash
# Builds one topic folder of content/ beside the shipped topics into a scratch data folder,
# then writes pictures of its screens and its printed Key Facts page, for whoever writes the
# topic to look at. Uses the binaries of an existing build; builds nothing.
#   scripts/preview-topic.sh TOPIC [OUTPUT_FOLDER]     (BUILD=folder of the build, default build/)
set -euo pipefail
topic=${1:?usage: preview-topic.sh TOPIC [OUTPUT_FOLDER]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
out=${2:-/tmp/corvana-preview-$topic}
rm -rf "$out"
mkdir -p "$out/content" "$out/shots"
for t in bones parts-of-the-body "$topic"; do ln -sfn "$root/content/$t" "$out/content/$t"; done
cp -r "$build/data" "$out/data"
rm -rf "$out/data/topics"
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="qt.multimedia*=false"
"$build/datagen" "$out/data" --content "$out/content" content
CORVANA_SHOTS_DIR="$out/shots" CORVANA_SHOTS_DATA="$out/data" CORVANA_SHOTS_TOPIC="$topic" \
    "$build/test_topics" --gtest_filter='TopicShots.*' >"$out/shots.log" 2>&1 || { cat "$out/shots.log"; exit 1; }
if command -v pdftoppm >/dev/null; then
    pdftoppm -r 50 -png "$out/shots/${topic}_keyfacts_print.pdf" "$out/shots/${topic}_keyfacts_print"
fi
ls "$out/shots"
