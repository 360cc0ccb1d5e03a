#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
# cups-daemon: the system-printer tests start a private scheduler of their own; strace watches that it writes
# nothing outside its folder. libicu-dev: the dictionary word boundaries where a two-line text may break.
# libharfbuzz-dev: the faces' vertical forms for a column set top to bottom.
packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont
          fonts-aoyagi-kouzan-t cups-client libcups2-dev cups-daemon strace pkg-config libpoppler-qt6-dev libicu-dev
          libharfbuzz-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
    echo "installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
