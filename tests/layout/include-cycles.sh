#!/bin/sh
# Checks the layering that the folders say, and prints the includes between folders. The layers,
# each standing on those before it: core/ (the pixel core), platform/ (the Win32 seam and its native
# implementation), image/ (the interfaces, both images and their operations), app/ (the sample).
# A file's quoted #include of a header in another folder is an edge from the file's folder to the
# header's (image and image/compose are two folders). Fails, naming the file, on an include of a
# higher layer (the core including platform/ or image/, platform/ including image/, ...), and,
# naming the loop, on folders that include each other round a loop. One header makes no edge:
# image/ImageTypes.h, the public vocabulary (Pixel, ColorKey, the system types of the image
# headers' signatures), which every layer may speak; its own includes would count.
# Usage: include-cycles.sh SOURCE_ROOT
cd "$1" || exit 2

layer() {
    case $1 in
        core/*) echo 0 ;;
        platform/*) echo 1 ;;
        image/*) echo 2 ;;
        app/*) echo 3 ;;
        *) echo 9 ;;
    esac
}

# "file header" for every quoted include of a header named by its path from the root.
includes=$(find core platform image app \( -name '*.h' -o -name '*.cpp' \) | LC_ALL=C sort | while read -r file; do
    sed -n 's/^#include "\(.*\/.*\)".*/\1/p' "$file" | while read -r header; do
        [ "$header" = image/ImageTypes.h ] || echo "$file $header"
    done
done)
if [ -z "$includes" ]; then
    echo "include-cycles.sh: no includes found under $PWD" >&2
    exit 2
fi

status=0
upwards=$(printf '%s\n' "$includes" | while read -r file header; do
    [ "$(layer "$header")" -gt "$(layer "$file")" ] && echo "$file includes $header, a layer above its own"
done)
if [ -n "$upwards" ]; then
    printf '%s\n' "$upwards" >&2
    status=1
fi

edges=$(printf '%s\n' "$includes" | awk '{
    from = $1; to = $2; sub(/\/[^\/]*$/, "", from); sub(/\/[^\/]*$/, "", to)
    if (from != to) print from, to
}' | LC_ALL=C sort -u)
echo "includes between folders (from, to):"
printf '%s\n' "$edges" | sed 's/^/  /'
printf '%s\n' "$edges" | tsort >/dev/null || status=1
exit $status
