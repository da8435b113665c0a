#!/bin/sh
# Checks the layering the folders say and prints the includes between folders. The layers, each on
# those before it: core/ (the pixel core), platform/ (the Win32 seam and its native implementation),
# image/ (the interfaces, both images, their operations), app/ (the sample). A file's quoted
# #include of a header in another folder is an edge from the file's folder to the header's (image
# and image/compose are two). Fails, naming the file, on an include of a higher layer (the core
# including platform/ or image/, platform/ including image/, ...) and, naming the loop, on folders
# that include each other round a loop. image/ImageTypes.h, the public vocabulary (Pixel, ColorKey,
# the system types of the image headers' signatures), makes no edge: every layer may speak it.
# Usage: include-cycles.sh SOURCE_ROOT
cd "$1" || exit 2
includes=$(find core platform image app \( -name '*.h' -o -name '*.cpp' \) | LC_ALL=C sort | while read -r file; do
    sed -n "s|^#include \"\([^\"]*/[^\"]*\)\".*|$file \1|p" "$file"
done | grep -v ' image/ImageTypes\.h$')
[ -n "$includes" ] || { echo "include-cycles.sh: no includes found under $PWD" >&2; exit 2; }

upwards=$(printf '%s\n' "$includes" | awk '
    function layer(path) { split(path, part, "/"); return part[1] == "core" ? 0 : part[1] == "platform" ? 1 : part[1] == "image" ? 2 : 3 }
    layer($2) > layer($1) { print $1 " includes " $2 ", a layer above its own" }')
edges=$(printf '%s\n' "$includes" | sed 's|/[^/ ]* | |; s|/[^/]*$||' | awk '$1 != $2' | LC_ALL=C sort -u)
echo "includes between folders (from, to):"
printf '%s\n' "$edges" | sed 's/^/  /'
[ -z "$upwards" ] || { printf '%s\n' "$upwards" >&2; exit 1; }
printf '%s\n' "$edges" | tsort >/dev/null
