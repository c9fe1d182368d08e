#!/bin/sh
# Renders the pictures of ui/images and ui/html from the SVG drawings here.
# Needs rsvg-convert (librsvg2-bin) and the DejaVu fonts for the splash text.
# Pictures whose name carries a size are rendered at that size and at twice
# that size (@2x, picked up by QIcon on high-density screens); toolbar
# pictures at 64 px, shown at 32 px.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
svg=$here/svg
images=$here/../images
html=$here/../html
mkdir -p "$images" "$html"

render() { # name width height destination
    rsvg-convert -w "$2" -h "$3" -o "$4" "$svg/$1.svg"
}

for f in "$svg"/*.svg; do
    name=$(basename "$f" .svg)
    case "$name" in
    OrvantoLogoGreen)
        render "$name" 640 360 "$html/$name.png"
        ;;
    Orvanto_Favicon)
        render "$name" 128 128 "$images/$name.png"
        ;;
    Projector*)
        render "$name" 256 256 "$images/$name.png"
        ;;
    debug128_*)
        render "$name" 128 128 "$images/$name.png"
        ;;
    *[0-9]x[0-9]*)
        size=$(echo "$name" | sed 's/.*[^0-9]\([0-9][0-9]*\)x[0-9][0-9]*$/\1/')
        render "$name" "$size" "$size" "$images/$name.png"
        render "$name" $((size * 2)) $((size * 2)) "$images/$name@2x.png"
        ;;
    *)
        render "$name" 64 64 "$images/$name.png"
        ;;
    esac
done
