#!/bin/sh
# Fails, naming a cycle, when the folders of image/, platform/ and app/ include each other round a
# loop. Each folder is a node (image and image/compose are two); a file's quoted #include of a
# header in another folder is an edge from the file's folder to the header's. Including the
# vocabulary every layer speaks makes no edge: the system-API door platform/Win32.h and the public
# headers image/IImage.h, ImageTypes.h, MemoryImage.h and DibSectionImage.h. Their own includes do
# count (the door's platform/posix/Win32Api.h is an edge from platform/ like any other).
# Usage: include-cycles.sh SOURCE_ROOT
cd "$1" || exit 2
vocabulary=' platform/Win32.h image/IImage.h image/ImageTypes.h image/MemoryImage.h image/DibSectionImage.h '
find image platform app -name '*.h' -o -name '*.cpp' | while read -r file; do
    sed -n 's/^#include "\(.*\)".*/\1/p' "$file" | while read -r header; do
        case "$vocabulary" in *" $header "*) continue ;; esac
        case "$header" in */*) echo "${file%/*} ${header%/*}" ;; esac
    done
done | sort -u | awk '$1 != $2' | tsort > /dev/null
