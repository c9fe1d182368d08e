#!/bin/sh
# Installs the Debian packages needed to build, run and test Orvanto and Brivox.
# fonts-wqy-microhei (WenQuanYi Micro Hei, about 5 MB, Apache-2.0 or GPL-3+
# with font exception; see docs/FONTS.md) draws the Chinese texts; without a
# CJK font zh_CN shows empty boxes. librsvg2-bin renders ui/art (render.sh).
# dpkg-dev and file let cpack work out the package's dependencies; lintian,
# desktop-file-utils and appstream check the package, menu entries and
# metainfo (scripts/check-install.sh).
# qttranslations5-l10n holds Qt's own texts (OK, Cancel, ...) in zh_CN.
# clang-14 and libclang-rt-14-dev build the fuzzing harnesses (scripts/fuzz.sh).
set -eu
PACKAGES="build-essential cmake qtbase5-dev qtbase5-private-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
qtdeclarative5-dev libqt5serialport5-dev qtmultimedia5-dev libqt5multimedia5-plugins
socat xvfb xauth x11-apps xdotool iproute2 util-linux procps imagemagick librsvg2-bin fonts-dejavu-core fonts-wqy-microhei
clang-14 libclang-rt-14-dev dpkg-dev file lintian desktop-file-utils appstream qttranslations5-l10n
libqt5sql5-sqlite libqt5charts5-dev libcurl4-openssl-dev python3-aiosmtpd"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "install-deps.sh: run as root to install:$missing" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
fi
