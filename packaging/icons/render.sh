#!/bin/sh
# Renders the hicolor theme icons of both programs from their own drawings
# (ui/art/svg/Orvanto_Favicon.svg, bridge/images/src/brivox.svg). Needs
# rsvg-convert (librsvg2-bin). The PNGs are kept in the repository, so the
# build does not need it; run this again after changing a drawing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$here/../..
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$here/${size}x${size}"
    rsvg-convert -w $size -h $size -o "$here/${size}x${size}/com.orvanto.Orvanto.png" "$top/ui/art/svg/Orvanto_Favicon.svg"
    rsvg-convert -w $size -h $size -o "$here/${size}x${size}/com.orvanto.Brivox.png" "$top/bridge/images/src/brivox.svg"
done
