#!/usr/bin/env bash
# check-refuses-breaches.sh CHECK_LAYERS QT_HEADERS_DIR
#
# The layer check passes a small tree that keeps every rule, and refuses the
# same tree with each single breach planted in it.
set -u
check=${1:?CHECK_LAYERS} qt=${2:?QT_HEADERS_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

plant_tree() {
  rm -rf "$work/src"
  mkdir -p "$work/src/core" "$work/src/documents" "$work/src/windows/frame" \
    "$work/src/windows/water" "$work/src/windows/gas"
  printf '#include <QString>\n#include <vector>\n' >"$work/src/core/Cell.h"
  printf '#include "core/Version.h"\n' >"$work/src/core/Cell.cpp"
  printf '#define VERSION "@V@"\n' >"$work/src/core/Version.h.in"
  printf '#include "core/Cell.h"\n#include <QColor>\n#include <zip.h>\n' \
    >"$work/src/documents/Page.h"
  printf '#include "documents/Page.h"\n#include <QWidget>\n' >"$work/src/windows/frame/Form.h"
  printf '#include "windows/frame/Form.h"\n' >"$work/src/windows/water/dati.h"
  printf '#include "windows/water/dati.h"\n#include <QtWidgets/QLabel>\n' \
    >"$work/src/windows/gas/datigas.h"
}

failures=0
plant_tree
if ! bash "$check" "$work/src" "$qt" >/dev/null 2>&1; then
  echo "a tree that keeps every rule is refused:" >&2
  bash "$check" "$work/src" "$qt" >&2
  failures=$((failures + 1))
fi

# file to append to | line planted
while IFS='|' read -r file line; do
  plant_tree
  printf '%s\n' "$line" >>"$work/src/$file"
  if bash "$check" "$work/src" "$qt" >/dev/null 2>&1; then
    echo "not refused: $line in $file" >&2
    failures=$((failures + 1))
  fi
done <<'CASES'
core/Cell.h|#include <QColor>
core/Cell.cpp|#include <QtGui/QImage>
core/Cell.h|#include <QWidget>
documents/Page.h|#include <QLabel>
documents/Page.h|#include <QPrinter>
core/Cell.cpp|#include "documents/Page.h"
documents/Page.h|#include "windows/frame/Form.h"
core/Cell.h|#include "Cell.h"
core/Cell.h|#include "core/Missing.h"
windows/water/dati.h|#include "windows/gas/datigas.h"
windows/frame/Form.h|#include "windows/water/dati.h"
CASES

if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "check-refuses-breaches: ok"
