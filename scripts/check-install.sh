#!/usr/bin/env bash
# Checks what a build installs and packs: installs ./build (or
# $RT58_BUILD_DIR) into a scratch prefix, compares the layout with the one
# expected, starts the installed RT-58 offscreen in an empty folder, then packs
# the Debian package with cpack and checks its files and dependencies.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RT58_BUILD_DIR:-$root/build}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "check-install: $*" >&2
    failures=$((failures + 1))
}

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

# Every template and sample document packed into the build must be installed.
expected=(bin/RT-58 bin/rt58-sim share/applications/rt58.desktop
    share/icons/hicolor/scalable/apps/rt58.svg)
for folder in doc samples; do
    [ -d "$build/$folder" ] || continue
    while IFS= read -r name; do
        expected+=("share/rt58/$folder/$name")
    done < <(find "$build/$folder" -maxdepth 1 -type f -regex '.*\.\(docx\|xlsx\|doc\|xls\)' -printf '%f\n')
done
for path in "${expected[@]}"; do
    [ -f "$prefix/$path" ] || fail "missing $path"
done
extra=$(cd "$prefix/bin" && ls -A | grep -vxE 'RT-58|rt58-sim' || true)
[ -z "$extra" ] || fail "bin/ holds more than the programs: $extra"

# The installed program must come up and stay up; it writes its settings and
# logs into the working folder, and its single-instance lock into the
# runtime folder, both scratch folders here.
mkdir -p "$scratch/work" "$scratch/runtime"
chmod 700 "$scratch/runtime"
status=0
(cd "$scratch/work" && XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen \
    timeout 5 "$prefix/bin/RT-58" >"$scratch/RT-58.out" 2>&1) || status=$?
if [ "$status" -ne 124 ]; then
    fail "installed RT-58 exited with status $status within 5 s:"
    cat "$scratch/RT-58.out" >&2
fi

# The Debian package: files under /usr and the run-time dependencies.
if ! (cd "$build" && cpack >"$scratch/cpack.out" 2>&1); then
    cat "$scratch/cpack.out" >&2
    exit 1
fi
deb=$(ls -t "$build"/rt58_*.deb | head -n 1)
contents=$(dpkg-deb --contents "$deb")
for path in "${expected[@]}"; do
    grep -q " \./usr/$path\$" <<<"$contents" || fail "$(basename "$deb") lacks /usr/$path"
done
depends=$(dpkg-deb --field "$deb" Depends)
for package in libqt5widgets5 libqt5serialport5 libqt5charts5 libquazip1-qt5-1 libpugixml1v5 \
    libqt5sql5 libqt5sql5-sqlite fonts-wqy-zenhei; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "$(basename "$deb") does not depend on $package"
done

[ "$failures" -eq 0 ] || exit 1
echo "Installed layout, start from the prefix and $(basename "$deb") checked"
