#!/usr/bin/env bash
# Checks what scripts/package made in DIR the way a user meets it:
#   - the Debian packages' Depends can be met on this machine (apt-get's simulation, no change to
#     the system), the sample's names SDL2 (found by dpkg-shlibdeps) and the development files'
#     the library package;
#   - unpacked with dpkg -x into a scratch root, tests/consumer builds against them through the
#     CMake package and through pkg-config alone, and runs with the packaged shared library;
#   - the packaged asset tool writes the sample's three files;
#   - the Windows .zip holds the headers, the DLL and its import library, and both programs.
#
#   tests/package/check-packages.sh DIR
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
dpkg-deb -c "$lib_deb" | grep -E >/dev/null 'libzorvexa_image\.so\.[0-9]+ -> libzorvexa_image\.so\.[0-9.]+$' ||
    fail "$lib_name holds no SONAME link"
if command -v apt-get >/dev/null 2>&1; then
    apt-get install -s -q "$lib_deb" "$dev_deb" "$sample_deb" >"$work/apt-simulate.log" 2>&1 ||
        { fail "apt-get cannot install the packages:"; cat "$work/apt-simulate.log" >&2; }
fi

# ---- unpacked, used -----------------------------------------------------------------------------
for deb in "$lib_deb" "$dev_deb" "$sample_deb"; do dpkg -x "$deb" "$root"; done
pc=$(find "$root" -name zorvexa.pc)
config=$(find "$root" -name ZorvexaConfig.cmake)
[[ -n $pc && -n $config ]] || { echo "check-packages: zorvexa.pc or ZorvexaConfig.cmake missing" >&2; exit 1; }
libdir=$(dirname "$(dirname "$pc")")

# The program must load the packaged library, not a copy inside itself.
check_runs() {
    local program=$1
    objdump -p "$program" | grep >/dev/null 'NEEDED *libzorvexa_image\.so\.' ||
        fail "$program does not use the shared library"
    LD_LIBRARY_PATH=$libdir "$program" || fail "$program failed"
}

if cmake -S "$repo/tests/consumer" -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_PREFIX_PATH="$root/usr" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
        -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF >"$work/cmake.log" 2>&1 &&
    cmake --build "$work/cmake" >>"$work/cmake.log" 2>&1; then
    check_runs "$work/cmake/app"
else
    fail "building the consumer with find_package failed:"; cat "$work/cmake.log" >&2
fi

mkdir -p "$work/pkg-config"
# shellcheck disable=SC2046
if g++ -std=c++17 -Wall -Wextra -Wpedantic -Werror "$repo/tests/consumer/main.cpp" \
        $(PKG_CONFIG_PATH= PKG_CONFIG_LIBDIR="$libdir/pkgconfig" pkg-config --cflags --libs zorvexa) \
        -o "$work/pkg-config/app"; then
    check_runs "$work/pkg-config/app"
else
    fail "building the consumer with pkg-config failed"
fi

mkdir -p "$work/assets"
if "$root/usr/bin/zorvexa_assets" "$work/assets"; then
    for f in osiri.bmp:BM hand.bmp:BM sound.wav:RIFF; do
        name=${f%%:*} magic=${f#*:}
        [[ $(head -c ${#magic} "$work/assets/$name" 2>/dev/null) == "$magic" ]] ||
            fail "zorvexa_assets did not write $name"
    done
else
    fail "zorvexa_assets failed"
fi

# ---- the Windows archive ------------------------------------------------------------------------
listing=$(cmake -E tar tf "$zip")
for pattern in '/include/zorvexa/image/IImage\.h$' '/include/zorvexa/image/MemoryImage\.h$' \
               '/include/zorvexa/image/DibSectionImage\.h$' '/include/zorvexa/platform/Export\.h$' \
               '/bin/libzorvexa_image-[0-9]+\.dll$' '/lib/libzorvexa_image\.dll\.a$' \
               '/lib/cmake/Zorvexa/ZorvexaConfig\.cmake$' '/lib/pkgconfig/zorvexa\.pc$' \
               '/bin/zorvexa\.exe$' '/bin/zorvexa_assets\.exe$'; do
    grep -Eq "$pattern" <<<"$listing" || fail "$(basename "$zip") has no ${pattern//\\/}"
done

if [[ $failures -eq 0 ]]; then
    echo "check-packages: ok ($(basename "$lib_deb"), $(basename "$dev_deb"), $(basename "$sample_deb"), $(basename "$zip"))"
fi
[[ $failures -eq 0 ]]
