#!/usr/bin/env bash
# Checks what scripts/package made in DIR as a user meets it: lintian finds no error in the Debian
# packages, apt-get's simulation installs them; the sample depends on SDL2 and the development files
# on the library of their version; the shared library keeps the ABI of data/libzorvexa_image.abi
# (abidiff; an addition is compatible, and printed); unpacked, they pass the consumer test, and the
# asset tool writes the sample's files; the copyright file names every file of the HTML reference
# with a notice of its own and every library in its jquery.js; the Windows .zip holds headers, both
# libraries, licence and programs, and the DLL needs no compiler runtime DLL. Usage: check-packages.sh DIR
set -euo pipefail

dir=$(cd "${1:?usage: check-packages.sh DIR}" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$dir/check
root=$work/root
failures=0

fail() {
    echo "check-packages: $*" >&2
    failures=$((failures + 1))
}

# One file of each package; the name begins with the package's name.
only_file() {
    local -a found
    mapfile -t found < <(compgen -G "$1" || true)
    [[ ${#found[@]} -eq 1 ]] || { echo "check-packages: expected one $1, found ${#found[@]}" >&2; exit 1; }
    echo "${found[0]}"
}

lib_deb=$(only_file "$dir/libzorvexa-image[0-9]*_*.deb")
dev_deb=$(only_file "$dir/libzorvexa-dev_*.deb")
sample_deb=$(only_file "$dir/zorvexa_*.deb")
zip=$(only_file "$dir/*.zip")

rm -rf "$work"
mkdir -p "$root"

# ---- control fields ---------------------------------------------------------------------------
lib_name=$(dpkg-deb -f "$lib_deb" Package)
sample_depends=$(dpkg-deb -f "$sample_deb" Depends)
dev_depends=$(dpkg-deb -f "$dev_deb" Depends)
[[ $sample_depends == *libsdl2-* && $sample_depends == *libc6* ]] ||
    fail "the sample's Depends lacks SDL2 or the C library: '$sample_depends'"
[[ $dev_depends == *"$lib_name (= "* ]] ||
    fail "libzorvexa-dev does not depend on $lib_name of its own version: '$dev_depends'"
lintian "$lib_deb" "$dev_deb" "$sample_deb" >"$work/lintian.log" 2>&1 || fail "lintian found errors"
grep -v 'root privileges' "$work/lintian.log" >&2 || true
abidiff "$repo/tests/package/data/libzorvexa_image.abi" "$dir/libzorvexa_image.abi" >"$work/abidiff.log" || abi=$?
(( ${abi:-0} & 11 )) && fail "the shared library breaks its ABI: $(cat "$work/abidiff.log")"
(( ${abi:-0} & 4 )) && echo "check-packages: compatible ABI changes: $(cat "$work/abidiff.log")"
if command -v apt-get >/dev/null 2>&1; then
    apt-get install -s -q "$lib_deb" "$dev_deb" "$sample_deb" >"$work/apt-simulate.log" 2>&1 ||
        { fail "apt-get cannot install the packages:"; cat "$work/apt-simulate.log" >&2; }
fi

# ---- unpacked, used -----------------------------------------------------------------------------
# The consumer test's driver, given the unpacked root.
for deb in "$lib_deb" "$dev_deb" "$sample_deb"; do dpkg -x "$deb" "$root"; done
cmake -DZVX_PREFIX="$root/usr" -DZVX_WORK_DIR="$work/consumer" -DZVX_GENERATOR=Ninja \
    -DZVX_CXX_COMPILER=g++ -DZVX_BUILD_TYPE=Release -DZVX_OBJDUMP=objdump -DZVX_PKG_CONFIG=pkg-config \
    -P "$repo/tests/consumer/run-consumer-test.cmake" >"$work/consumer.log" 2>&1 ||
    { fail "the consumer does not build or run against the packages:"; cat "$work/consumer.log" >&2; }

mkdir -p "$work/assets"
"$root/usr/bin/zorvexa_assets" "$work/assets" || fail "the packaged zorvexa_assets failed"
for f in osiri.bmp:BM hand.bmp:BM sound.wav:RIFF; do
    [[ $(head -c 4 "$work/assets/${f%%:*}" 2>/dev/null) == "${f#*:}"* ]] || fail "zorvexa_assets did not write ${f%%:*}"
done

# ---- what the HTML reference bundles is declared ------------------------------------------------
copyright=$repo/cmake/debian/copyright declared=$(tr -s '\n ' '  ' <"$repo/cmake/debian/copyright")
while IFS= read -r file; do
    grep -qxF -e "Files: ${file#"$root/"}" -e " ${file#"$root/"}" "$copyright" || fail "cmake/debian/copyright does not name ${file#"$root/"}"
done < <(grep -rlIiE 'copyright|\(c\) ' "$root/usr/share/doc/libzorvexa-dev/html")
while IFS= read -r bundled; do
    [[ $declared == *"$bundled"* ]] || fail "cmake/debian/copyright does not declare $bundled, which jquery.js holds"
done < <(tr '\n' ' ' <"$root/usr/share/doc/libzorvexa-dev/html/jquery.js" |
         grep -oE '/\*! *(\* *)?[A-Za-z][^|*(]*[0-9]+\.[0-9]+\.[0-9]+' | sed -E 's|/\*! *(\* *)?||; s/( -)? v([0-9])/ \2/')

# ---- the Windows archive ------------------------------------------------------------------------
listing=$(cmake -E tar tf "$zip")
for pattern in '/include/zorvexa/image/IImage\.h$' '/include/zorvexa/image/MemoryImage\.h$' \
               '/include/zorvexa/image/DibSectionImage\.h$' '/include/zorvexa/image/ImageTypes\.h$' \
               '/bin/libzorvexa_image-[0-9]+\.dll$' '/lib/libzorvexa_image\.dll\.a$' '/lib/libzorvexa_image\.a$' \
               '/lib/cmake/Zorvexa/ZorvexaConfig\.cmake$' '/lib/pkgconfig/zorvexa\.pc$' \
               '/lib/pkgconfig/zorvexa-static\.pc$' '/doc/zorvexa/LICENSE$' \
               '/bin/zorvexa\.exe$' '/bin/zorvexa_assets\.exe$'; do
    grep -Eq "$pattern" <<<"$listing" || fail "$(basename "$zip") has no ${pattern//\\/}"
done
# The C++ runtime is linked into the DLL, so the DLL alone goes beside a program.
mkdir -p "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$zip")
x86_64-w64-mingw32-objdump -p "$work"/zip/*/bin/libzorvexa_image-*.dll | grep 'DLL Name: lib' && fail "the DLL needs the DLLs above"

if [[ $failures -eq 0 ]]; then
    echo "check-packages: ok ($(basename "$lib_deb"), $(basename "$dev_deb"), $(basename "$sample_deb"), $(basename "$zip"))"
fi
[[ $failures -eq 0 ]]
