#!/usr/bin/env bash
# check-refuses-breaches.sh CHECK_LAYERS QT_HEADERS_DIR
#
# The layer check passes a small tree that keeps every rule, and refuses the
# same tree with each single breach planted in it, naming that breach; the
# forms the rules allow, planted the same way, still pass.
set -u
check=${1:?CHECK_LAYERS} qt=${2:?QT_HEADERS_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Windows: dati and datigas derive from Form, guidadati from the window
# HelpPage, over two lines; Line is a class of windows/ that is no window.
# Headers: Cell.h has its source beside it, Page.h has none (the Page.cpp
# of windows/gas belongs to the Page.h beside it), Version.h.in none.
plant_tree() {
  rm -rf "$work/src"
  mkdir -p "$work/src/core" "$work/src/documents" "$work/src/windows/frame" \
    "$work/src/windows/water" "$work/src/windows/gas" "$work/src/windows/help"
  printf '#include <QString>\n#include <vector>\n' >"$work/src/core/Cell.h"
  printf '#include "core/Version.h"\n' >"$work/src/core/Cell.cpp"
  printf '#define VERSION "@V@"\n' >"$work/src/core/Version.h.in"
  printf '#include "core/Cell.h"\n#include <QColor>\n#include <zip.h>\n' \
    >"$work/src/documents/Page.h"
  printf '#include "documents/Page.h"\n#include <QWidget>\nclass Form : public QWidget {};\n' \
    >"$work/src/windows/frame/Form.h"
  printf '#include <QWidget>\nclass Line : public QWidget {};\n' >"$work/src/windows/frame/Line.h"
  printf '#include "windows/frame/Form.h"\nclass dati : public Form {};\n' \
    >"$work/src/windows/water/dati.h"
  printf '#include "windows/water/dati.h"\n#include <QtWidgets/QLabel>\n%s\n' \
    'class datigas final : public ::Form, private QList<int> {};' >"$work/src/windows/gas/datigas.h"
  printf 'class Page {};\n' >"$work/src/windows/gas/Page.h"
  printf '#include "windows/gas/Page.h"\n' >"$work/src/windows/gas/Page.cpp"
  printf '#include "windows/frame/Form.h"\nclass HelpPage : public Form {};\n' \
    >"$work/src/windows/help/HelpPage.h"
  printf '#include "windows/help/HelpPage.h"\nclass guidadati\n    : public HelpPage {};\n' \
    >"$work/src/windows/help/guidadati.h"
}

failures=0
plant_tree
if ! bash "$check" "$work/src" "$qt" >/dev/null 2>&1; then
  echo "a tree that keeps every rule is refused:" >&2
  bash "$check" "$work/src" "$qt" >&2
  failures=$((failures + 1))
fi

# refuse or pass | file to append to | line planted | words the refusal prints
while IFS='|' read -r verdict file line words; do
  case $verdict in refuse | pass) ;; *) continue ;; esac
  plant_tree
  printf '%s\n' "$line" >>"$work/src/$file"
  if output=$(bash "$check" "$work/src" "$qt" 2>&1); then
    if [ "$verdict" = refuse ]; then
      echo "not refused: $line in $file" >&2
      failures=$((failures + 1))
    fi
  elif [ "$verdict" = pass ]; then
    echo "refused: $line in $file" >&2
    echo "$output" >&2
    failures=$((failures + 1))
  elif [[ $output != *"$words"* ]]; then
    echo "refused without saying \"$words\": $line in $file" >&2
    echo "$output" >&2
    failures=$((failures + 1))
  fi
done <<'CASES'
Includes: Qt modules of a layer, higher layers, names from SRC_DIR, cycles.
refuse|core/Cell.h|#include <QColor>|core/Cell.h: include <QColor> di QtGui
refuse|core/Cell.cpp|#include <QtGui/QImage>|core/Cell.cpp: include <QtGui/QImage>
refuse|core/Cell.h|#include <QWidget>|core/Cell.h: include <QWidget>
refuse|documents/Page.h|#include <QLabel>|documents/Page.h: include <QLabel>
refuse|documents/Page.h|#include <QPrinter>|documents/Page.h: include <QPrinter>
refuse|core/Cell.cpp|#include "documents/Page.h"|core/Cell.cpp: include "documents/Page.h"
refuse|documents/Page.h|#include "windows/frame/Form.h"|documents/Page.h: include "windows/frame/Form.h"
refuse|core/Cell.h|#include "Cell.h"|core/Cell.h: include "Cell.h"
refuse|core/Cell.h|#include "core/Missing.h"|core/Cell.h: include "core/Missing.h"
refuse|windows/water/dati.h|#include "windows/gas/datigas.h"|si includono a vicenda
refuse|windows/frame/Form.h|#include "windows/water/dati.h"|si includono a vicenda

A header defined in another folder, in the same layer or another one.
refuse|windows/water/Form.cpp|#include "windows/frame/Form.h"|windows/frame/Form.h è definito in windows/water/Form.cpp
refuse|core/Page.cpp|#include "documents/Page.h"|documents/Page.h è definito in core/Page.cpp
refuse|windows/frame/Version.cpp|#include "core/Version.h"|core/Version.h è definito in windows/frame/Version.cpp
pass|windows/water/Cell.cpp|#include "core/Cell.h"

A lower layer naming a window, directly, through another window, past
quotes that open no string; and the texts that do not name one.
refuse|core/Cell.cpp|QString w = "dati";|core/Cell.cpp:2: "dati"
refuse|documents/Page.h|auto w = u"datigas";|documents/Page.h:4: "datigas"
refuse|core/Cell.cpp|QString w = QStringLiteral("guidadati"); // guidadati|core/Cell.cpp:2: "guidadati"
refuse|core/Cell.cpp|QString w = "HelpPage";|core/Cell.cpp:2: "HelpPage"
refuse|core/Cell.cpp|char q = '"'; QString w = "dati"; char z = '"';|core/Cell.cpp:2: "dati"
refuse|core/Cell.cpp|QString q = "\"" "dati" "\"";|core/Cell.cpp:2: "dati"
refuse|core/Cell.cpp|int n = 1'000; QString w = "dati"; char z = 'x';|core/Cell.cpp:2: "dati"
refuse|core/Cell.cpp|auto r = R"re(x")re"; QString w = "dati"; auto s = R"(")";|core/Cell.cpp:2: "dati"
pass|core/Cell.cpp|QString head = "dati"; // text, not a window name
pass|core/Cell.cpp|// the window "dati" shows it
pass|core/Cell.cpp|/* "dati" */ QString t = "dati e datigas"; QString l = "Line";
pass|core/Cell.cpp|auto r = R"(a "dati" b)"; auto s = u8R"x(")x"; char q = '\'';
pass|windows/water/dati.h|QString w = "datigas";
CASES

if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "check-refuses-breaches: ok"
