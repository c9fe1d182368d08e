#!/bin/sh
# Checks what a user gets from a build: installs it into a temporary prefix,
# runs the installed Orvanto and Brivox (--version, and one real start of
# Orvanto that must find its shipped files under the prefix), validates the
# menu entries and the AppStream metainfo, builds the Debian package and runs
# lintian on it. Fails on any lintian error; warnings are printed.
#
#   scripts/check-install.sh [BUILD_DIR]      (default: build, already built)
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-build}
case "$BUILD" in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
prefix=$work/prefix

echo "--- install into $prefix"
cmake --install "$BUILD" --prefix "$prefix" >/dev/null

# No display, no platform plugin: --version must answer before the toolkit
# looks for either.
for program in Orvanto Brivox; do
    version=$(scripts/sandbox.sh run env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        HOME="$work/home" XDG_DATA_HOME="$work/data" "$prefix/bin/$program" --version)
    echo "$program --version: $version"
    case "$version" in
    "$program "[0-9]*) ;;
    *) echo "check-install.sh: unexpected version text from $program" >&2; exit 1 ;;
    esac
done
if [ -e "$work/data" ]; then
    echo "check-install.sh: --version made a data folder" >&2
    exit 1
fi

# One real start of the installed Orvanto: it seeds its configuration folder
# from <prefix>/share/orvanto and loads its translation from there.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
printf '[Default]\nLanguage=zh_CN\n' > "$work/zh.ini"
scripts/sandbox.sh run env HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work" QT_QPA_PLATFORM=offscreen \
    sh -c '"$1" "$2" >"$3/orvanto.out" 2>&1 & app=$!
           i=0
           while [ $i -lt 300 ] && ! grep -q "Load i18n:" "$3/data/Orvanto/OrvantoLOG.log" 2>/dev/null; do
               sleep 0.1; i=$((i + 1))
           done
           kill $app 2>/dev/null; wait $app 2>/dev/null || true' \
    start "$prefix/bin/Orvanto" "$work/zh.ini" "$work"
log=$work/data/Orvanto/OrvantoLOG.log
for expected in "Cloned  \"$work/data/Orvanto/Orvanto.ini\" true" \
    "Load i18n: \"$prefix/share/orvanto/i18n/Orvanto_zh_CN\" true"; do
    if ! grep -qF "$expected" "$log" 2>/dev/null; then
        echo "check-install.sh: the installed Orvanto did not log: $expected" >&2
        cat "$log" "$work/orvanto.out" >&2 2>/dev/null || true
        exit 1
    fi
done
echo "installed Orvanto found its files under $prefix/share/orvanto"

echo "--- menu entries and metainfo"
desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml

echo "--- Debian package"
rm -f "$BUILD"/orvanto_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD"/orvanto_*.deb)
dpkg-deb --field "$deb" Package Version Depends Recommends
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "lintian: no errors in $(basename "$deb")"
