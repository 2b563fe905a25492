#!/usr/bin/env bash
# The desktop files validate, the manual page renders without warnings, and the Debian package
# holds every installed file.  check_packaging.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
for tool in desktop-file-validate appstreamcli xmllint man cpack dpkg-deb; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
resources="$source_dir/resources"
desktop-file-validate "$resources/desktop/org.tandril.Tandril.desktop"
appstreamcli validate --no-net "$resources/desktop/org.tandril.Tandril.metainfo.xml"
xmllint --noout "$resources/desktop/tandril.xml"
warnings=$(MANWIDTH=80 man --warnings -l "$resources/man/tandril.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "manual page warnings: $warnings"; exit 1; }
bash -n "$resources/completion/tandril"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build_dir" --prefix "$scratch/root/usr" >/dev/null
(cd "$scratch/root" && find . -type f | sort) > "$scratch/installed"
(cd "$build_dir" && cpack -G DEB -B "$scratch/package" >/dev/null)
dpkg-deb -c "$scratch"/package/*.deb | awk '$1 !~ /^d/ {print $6}' | sort > "$scratch/packaged"
if ! diff -u "$scratch/installed" "$scratch/packaged"; then
    echo "the package's files differ from the installed ones"
    exit 1
fi
depends=$(dpkg-deb -f "$scratch"/package/*.deb Depends)
for needed in zip unzip libqt6widgets6; do
    [[ $depends == *"$needed"* ]] || { echo "missing dependency $needed: $depends"; exit 1; }
done
[ "$(dpkg-deb -f "$scratch"/package/*.deb Suggests)" = dosbox-x ]
[ "$(dpkg-deb -f "$scratch"/package/*.deb Recommends)" = innoextract ]
echo "packaging checks passed: $(wc -l < "$scratch/installed") files"
