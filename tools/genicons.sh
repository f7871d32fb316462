#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the desktop icon (assets/icons/org.pucklight.Pucklight.svg, the drawing of
# assets/icon.png) at the sizes the hicolor theme installs. Needs rsvg-convert
# (librsvg2-bin). Run it from the project's root; the PNGs are committed, so the build never
# runs it.
set -euo pipefail
svg=assets/icons/org.pucklight.Pucklight.svg
for size in 48 128 256; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "assets/icons/org.pucklight.Pucklight-$size.png"
done
