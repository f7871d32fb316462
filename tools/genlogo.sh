#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the splash logo (150 x 127) and the window icon (64 x 64) with ImageMagick.
# Run it from the project's root; the pictures are committed, so the build never runs it.
set -euo pipefail
font=/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf

# A puck flying off a stick blade over a red goal line, with a seven-segment "8" glow.
convert -size 150x127 xc:'#1d2433' \
    -fill '#c8102e' -draw 'rectangle 0,96 150,101' \
    -fill '#e8eef7' -stroke '#9fb3c8' -strokewidth 2 -draw 'roundrectangle 14,70 90,92 6,6' \
    -stroke none -fill '#8a5a2b' -draw 'polygon 96,16 104,16 76,84 66,84' \
    -fill '#8a5a2b' -draw 'roundrectangle 40,80 80,90 4,4' \
    -fill '#101010' -draw 'ellipse 112,62 22,9 0,360' \
    -fill '#2b2b2b' -draw 'ellipse 112,58 22,9 0,360' \
    -fill '#ff8000' -draw 'polygon 124,14 140,14 137,18 127,18' \
    -fill '#ff8000' -draw 'polygon 141,16 144,19 142,34 138,31' \
    -fill '#ff8000' -draw 'polygon 137,37 140,40 138,55 134,52' \
    -fill '#ff8000' -draw 'polygon 119,56 133,56 130,59 121,59' \
    -fill '#ff8000' -draw 'polygon 121,16 124,19 122,34 118,31' \
    -fill '#ff8000' -draw 'polygon 117,37 120,40 118,55 114,52' \
    -fill '#ff8000' -draw 'polygon 123,34 135,34 133,38 121,38' \
    -font "$font" -pointsize 17 -fill '#ffffff' -annotate +8+24 'Pucklight' \
    -strip assets/logo.png

convert -size 64x64 xc:none \
    -fill '#1d2433' -draw 'roundrectangle 0,0 63,63 10,10' \
    -fill '#ff8000' -draw 'polygon 18,10 44,10 40,15 22,15' \
    -fill '#ff8000' -draw 'polygon 46,12 50,16 48,30 43,27' \
    -fill '#ff8000' -draw 'polygon 43,34 47,38 45,52 40,49' \
    -fill '#ff8000' -draw 'polygon 14,53 38,53 34,58 18,58' \
    -fill '#ff8000' -draw 'polygon 15,12 19,16 17,30 12,27' \
    -fill '#ff8000' -draw 'polygon 12,34 16,38 14,52 9,49' \
    -fill '#ff8000' -draw 'polygon 19,30 41,30 38,35 17,35' \
    -strip assets/icon.png
