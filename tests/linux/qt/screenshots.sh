#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's pictures of the Qt window, one per language, taken on a virtual X display (xvfb-run, Debian's
# xvfb) with the demo host of the linux build: docs/images/sysinfo-qt-de.png and sysinfo-qt-en.png.
# Run by hand from the repository's root after `cmake --build --preset linux --target bsi_qt_demo`.
set -eu
demo=${1:-build/linux/platform/qt/bsi_qt_demo}
[ -x "$demo" ] || { echo "no demo host at $demo (build the target bsi_qt_demo)" >&2; exit 1; }
mkdir -p docs/images
for language in de en; do
  locale=de_DE.UTF-8
  [ "$language" = en ] && locale=en_US.UTF-8
  out=docs/images/sysinfo-qt-$language.png
  LANGUAGE= LC_ALL= LANG=$locale QT_QPA_PLATFORM=xcb timeout 60 \
    xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$demo" --lang "$language" --screenshot "$out"
  echo "$out"
done
