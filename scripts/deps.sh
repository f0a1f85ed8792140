#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# only those that are missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev libxkbcommon-dev
    libqcustomplot-dev
    libhidapi-dev libudev-dev
    libcurl4-openssl-dev
    fonts-dejavu-core
)
if [ "${1:-}" = "--test" ]; then
    packages+=(python3-aiosmtpd libbenchmark-dev xvfb xauth openssl desktop-file-utils)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
