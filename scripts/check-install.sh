#!/usr/bin/env bash
# Checks what a build installs and packs: installs ./build (or
# $RT58_BUILD_DIR) into a scratch prefix, compares the layout with the one
# expected, starts the installed RT-58 offscreen in an empty folder, then packs
# the Debian package with cpack and checks its files and dependencies. Run as
# root on a machine without rt58, it also installs the package for real and
# checks where the installed program puts a report (and removes it again).
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
    libqt5sql5 libqt5sql5-sqlite fonts-wqy-zenhei qttranslations5-l10n; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "$(basename "$deb") does not depend on $package"
done

# The package installed for real: the installed RT-58, started from "/" (as
# some launchers do, as root and as a user) and as root from another folder,
# exports with a cancelled save dialog. The report lands in the working
# folder, or in the home folder for "/", never beside the program in
# /usr/bin. The package goes again, with what the runs left in "/".
installed_exports() {
    local left_in_root=() stray
    touch "$scratch/started"
    for name in config.ini Log; do
        [ -e "/$name" ] || left_in_root+=("/$name")
    done
    if ! dpkg -i "$deb" >"$scratch/dpkg.out" 2>&1; then
        cat "$scratch/dpkg.out" >&2
        fail "$(basename "$deb") does not install"
    else
        chmod 755 "$scratch"
        mkdir -p "$scratch/folder"
        export_lands_in root / "$scratch/home-root"
        export_lands_in root "$scratch/folder" "$scratch/folder"
        export_lands_in nobody / "$scratch/home-nobody"
        stray=$(find / /usr/bin -maxdepth 1 -name '*.docx' -newer "$scratch/started" -print -delete)
        [ -z "$stray" ] || fail "reports written beside the program or into /: $stray"
    fi
    dpkg --purge rt58 >/dev/null 2>&1 || fail "rt58 could not be removed"
    rm -rf "${left_in_root[@]}"
}

# export_lands_in <user> <working folder> <folder where the report must land>
# Runs the installed RT-58 as <user> with the home folder $scratch/home-<user>.
export_lands_in() {
    local user=$1 folder=$2 expected=$3 home=$scratch/home-$1 runtime=$scratch/runtime-$1
    mkdir -p "$home" "$runtime"
    chown "$user" "$home" "$runtime"
    chmod 700 "$runtime"
    if ! xvfb-run -a -s "-screen 0 1280x1024x24 -ac" "$root/tests/with-openbox.sh" \
        "$root/tests/export-cancelled.sh" setpriv --reuid="$user" --regid="$(id -g "$user")" \
        --init-groups env -C "$folder" HOME="$home" XDG_RUNTIME_DIR="$runtime" /usr/bin/RT-58; then
        fail "the installed RT-58, started by $user from $folder, did not finish the export"
    elif [ -z "$(find "$expected" -maxdepth 1 -name '*.docx' -delete -print)" ]; then
        fail "the installed RT-58, started by $user from $folder, left no report in $expected"
    fi
}

if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W -f='${Status}' rt58 2>/dev/null | grep -q installed; then
    installed_exports
else
    echo "check-install: the package is installed for real only by root on a machine without rt58"
fi

[ "$failures" -eq 0 ] || exit 1
echo "Installed layout, start from the prefix and $(basename "$deb") checked"
