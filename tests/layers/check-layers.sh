#!/usr/bin/env bash
# check-layers.sh SRC_DIR QT_HEADERS_DIR
#
# The layers of SRC_DIR, from the bottom: core (Qt Core only), documents
# (Qt Core and Gui), windows (any Qt module). A file includes headers of its
# own layer and of the layers below, named from SRC_DIR ("core/Cell.h"), and
# Qt headers only of the modules its layer links. The folders include one
# another without a cycle (windows/gas may include windows/water, never the
# other way round as well).
#
# A leak that no include shows is a breach as well.
# - A header is defined beside it: a header X.h whose folder has no X.cpp,
#   while another folder has an X.cpp (and no X.h of its own, which that
#   source would then belong to), is declared in one folder and defined in
#   another: whoever includes the header reaches that folder's code with
#   no include to show it, past the layer and cycle rules.
#
# Prints every breach and ends with status 1 when there is any.
set -u
src=${1:?SRC_DIR} qt=${2:?QT_HEADERS_DIR}

declare -A rank=([core]=0 [documents]=1 [windows]=2)

# The Qt modules a layer may include.
allowed_module() {
  case $1:$2 in
    *:QtCore | documents:QtGui | windows:*) return 0 ;;
    *) return 1 ;;
  esac
}

# The Qt module of every Qt header, by name; headers that are not Qt's (the
# standard library, libzip) are not in it.
declare -A qt_module
for dir in "$qt"/Qt*/; do
  module=$(basename "$dir")
  for header in "$dir"*; do
    qt_module[${header##*/}]=$module
  done
done

breaches=0
breach() {
  echo "$1" >&2
  breaches=$((breaches + 1))
}

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

# Headers and sources by their path from SRC_DIR without ".h", ".h.in" or
# ".cpp", and the folders that hold a source of each name.
headers=()
declare -A header_at source_at source_folders

while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  layer=${rel%%/*}
  folder=${rel%/*}
  if [ -z "${rank[$layer]:-}" ]; then
    breach "$rel: fuori da core/, documents/ e windows/"
    continue
  fi
  case $rel in
    *.cpp)
      source_at[${rel%.cpp}]=1
      source_folders[${rel##*/}]+="$folder "
      ;;
    *)
      stem=${rel%.in}
      stem=${stem%.h}
      headers+=("$stem")
      header_at[$stem]=1
      ;;
  esac
  while IFS= read -r include; do
    name=${include:1:${#include}-2}
    case $include in
      \"*)
        target=${name%%/*}
        if [ -z "${rank[$target]:-}" ] ||
          { [ ! -f "$src/$name" ] && [ ! -f "$src/$name.in" ]; }; then
          breach "$rel: include \"$name\", che non è un file di core/, documents/ o windows/"
        elif [ "${rank[$target]}" -gt "${rank[$layer]}" ]; then
          breach "$rel: include \"$name\", di un livello superiore ($target)"
        elif [ "${name%/*}" != "$folder" ]; then
          echo "$folder ${name%/*}" >>"$edges"
        fi
        ;;
      \<*)
        case $name in
          Qt*/*) module=${name%%/*} ;;
          *) module=${qt_module[$name]:-} ;;
        esac
        if [ -n "$module" ] && ! allowed_module "$layer" "$module"; then
          breach "$rel: include <$name> di $module, che $layer non usa"
        fi
        ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\(["<][^">]*[">]\).*/\1/p' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.h.in' \) -print0)

if ! loop=$(sort -u "$edges" | tsort 2>&1 >/dev/null); then
  breach "le cartelle si includono a vicenda: $(echo "$loop" | grep -v 'input contains a loop' | sed 's/^tsort: //' | tr '\n' ' ')"
fi

for stem in "${headers[@]}"; do
  [ -n "${source_at[$stem]:-}" ] && continue
  name=${stem##*/}
  for other in ${source_folders[$name.cpp]:-}; do
    if [ -z "${header_at[$other/$name]:-}" ]; then
      breach "$stem.h è definito in $other/$name.cpp, fuori dalla sua cartella"
    fi
  done
done

if [ "$breaches" -gt 0 ]; then
  echo "check-layers: $breaches violazioni" >&2
  exit 1
fi
echo "check-layers: ok"
