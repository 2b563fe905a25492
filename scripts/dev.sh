#!/usr/bin/env bash
# Installs what Tandril needs (only what is missing), builds it, then starts it or runs the tests.
#   bash scripts/dev.sh run    build and start Tandril
#   bash scripts/dev.sh test   build and run every test
set -euo pipefail

mode=${1:-}
case "$mode" in
    run|test) ;;
    *) echo "usage: bash scripts/dev.sh run|test" >&2; exit 2 ;;
esac

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build"

packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          zip unzip innoextract desktop-file-utils appstream libxml2-utils man-db dpkg-dev file genisoimage)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    echo "🔄 Installing ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel

if [ "$mode" = run ]; then
    exec "$build/tandril"
fi
# The real DOSBox-X for the tests that prove what Tandril writes and starts; they skip without it.
real_dosbox="$top/../shared/tools/dosbox-x/real-dosbox-x"
if [ -z "${TANDRIL_REAL_DOSBOX_X:-}" ] && [ -f "$real_dosbox" ]; then
    if TANDRIL_REAL_DOSBOX_X=$(bash "$real_dosbox"); then
        export TANDRIL_REAL_DOSBOX_X
    else
        echo "⚠️ The real DOSBox-X could not be made ready; its tests will be skipped" >&2
    fi
fi
cd "$build"
exec ctest --output-on-failure --parallel 2
