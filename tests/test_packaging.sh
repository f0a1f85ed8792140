#!/usr/bin/env bash
# Builds the Debian package from the build folder given, unpacks it into a
# temporary folder and checks what a user's system gets from it.
#   test_packaging.sh <build folder> <source folder>
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_file() { [ -f "$root/$1" ] || fail "missing $1"; }

# The sanitizers' leak check would report the packaging tools' own leaks.
export ASAN_OPTIONS=detect_leaks=0
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
debs=("$work"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one package in ${debs[*]}"; exit 1; }
deb="${debs[0]}"
root="$work/root"
dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$work/control"

# The program, runnable.
[ -x "$root/usr/bin/quelmo" ] || fail "usr/bin/quelmo missing or not executable"

# The icon in every size of the theme, each a PNG of its own size.
for size in 16 22 24 32 48 64 128 256; do
    png="usr/share/icons/hicolor/${size}x${size}/apps/quelmo.png"
    expect_file "$png"
    [ -f "$root/$png" ] || continue
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$root/$png")
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [ "$(head -c 8 "$root/$png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$png is not a PNG"
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "$png is ${width}x${height}"
done

# The desktop entry: valid, in the menus where a monitor belongs, starting
# the program that the package installs in the folder of the manuals.
desktop="usr/share/applications/quelmo.desktop"
expect_file "$desktop"
if [ -f "$root/$desktop" ]; then
    desktop-file-validate "$root/$desktop" || fail "desktop-file-validate rejects $desktop"
    categories="$(sed -n 's/^Categories=//p' "$root/$desktop")"
    for category in Utility Monitor; do
        [[ ";$categories" == *";$category;"* ]] || fail "Categories=$categories lacks $category"
    done
    grep -qx 'Exec=quelmo' "$root/$desktop" || fail "Exec is not the installed program"
    grep -qx 'Icon=quelmo' "$root/$desktop" || fail "Icon is not the installed icon"
    grep -qx 'Path=/usr/share/quelmo' "$root/$desktop" || fail "Path is not the folder of the manuals"
fi

# The udev rule: the sensor's hidraw node, for the user at the seat.
rule="usr/lib/udev/rules.d/70-quelmo-sensor.rules"
expect_file "$rule"
if [ -f "$root/$rule" ]; then
    grep -v '^#' "$root/$rule" | grep -q 'SUBSYSTEM=="hidraw", ATTRS{product}=="\*Tessaro\*", TAG+="uaccess"' ||
        fail "$rule does not give the sensor's hidraw node to the seat's user"
fi

# The manuals, as far as the build made them.
for manual in manuale.pdf manual_es.pdf; do
    if [ -f "$build/manuals/$manual" ]; then
        expect_file "usr/share/quelmo/$manual"
    fi
done

# The control data: the libraries the program links and the Qt platform
# plug-ins; a post-install step that reloads the udev rules.
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6widgets6 libhidapi-hidraw0 libudev1 qt6-qpa-plugins; do
    [[ "$depends" == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
if [ -f "$work/control/postinst" ]; then
    [ -x "$work/control/postinst" ] || fail "postinst is not executable"
    grep -q 'udevadm control --reload-rules' "$work/control/postinst" || fail "postinst does not reload the udev rules"
    sh -n "$work/control/postinst" || fail "postinst is not a valid shell script"
else
    fail "no postinst"
fi
cmp -s "$work/control/postinst" "$source/packaging/postinst" || fail "postinst differs from packaging/postinst"

if [ "$failures" -gt 0 ]; then
    echo "$failures packaging check(s) failed; package contents:"
    dpkg-deb -c "$deb"
    exit 1
fi
echo "package $(basename "$deb") checked"
