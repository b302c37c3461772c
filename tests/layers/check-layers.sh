#!/usr/bin/env bash
# check-layers.sh SRC_DIR QT_HEADERS_DIR
#
# The layers of SRC_DIR, from the bottom: core (Qt Core only), documents
# (Qt Core and Gui), windows (any Qt module). A file includes headers of its
# own layer and of the layers below, named from SRC_DIR ("core/model/Cell.h"), and
# Qt headers only of the modules its layer links. The folders include one
# another without a cycle (windows/gas may include windows/water, never the
# other way round as well).
#
# Two leaks that no include shows are breaches as well.
# - A header is defined beside it: a header X.h whose folder has no X.cpp,
#   while another folder has an X.cpp (and no X.h of its own, which that
#   source would then belong to), is declared in one folder and defined in
#   another: whoever includes the header reaches that folder's code with
#   no include to show it, past the layer and cycle rules.
# - core/ and documents/ do not name a window: a string literal there whose
#   whole text is the registry name of a window, its class name, ties the
#   lower layer to a window it cannot include. The windows are the classes
#   of windows/ that derive from Form, directly or through another window,
#   as their declarations say, so that a new window is covered at once. A
#   word of a text for the user that is also a window's name is allowed on
#   a line whose // comment holds the marker
#       // text, not a window name
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
# ".cpp", and the folders that hold a source of each name; the files of
# the lower layers and those of windows/.
headers=() lower_files=() window_files=()
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
  if [ "$layer" = windows ]; then
    window_files+=("$file")
  else
    lower_files+=("$file")
  fi
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

# Prints "CLASS<TAB>FILE" for every window of the files: the classes that
# derive from Form, or from a class that does. A declaration may run over
# lines up to its "{"; a base is named by its last part (ns::Form is Form).
read -r -d '' windows_awk <<'AWK'
FNR == 1 { open = 0 }
/^[ \t]*(template[ \t]*<.*>[ \t]*)?(class|struct)[ \t]+[A-Za-z_]/ {
  decl = ""; open = 1
}
open { decl = decl " " $0 }
open && /[{;]/ { open = 0; derived(decl) }
function derived(decl,   colon, n, word, i, part, name, base) {
  sub(/[{;].*/, "", decl)
  gsub(/::/, "@", decl)
  colon = index(decl, ":")
  if (colon == 0) return
  n = split(substr(decl, 1, colon - 1), word)
  name = word[n] == "final" ? word[n - 1] : word[n]
  sub(/.*@/, "", name)
  if (!(name in declared)) declared[name] = FILENAME
  n = split(substr(decl, colon + 1), part, ",")
  for (i = 1; i <= n; i++) {
    base = part[i]
    sub(/[ \t]+$/, "", base)
    sub(/.*[ \t@]/, "", base)
    bases[name] = bases[name] " " base " "
  }
}
END {
  window["Form"] = 1
  do {
    grown = 0
    for (name in bases)
      if (!(name in window))
        for (base in window)
          if (index(bases[name], " " base " ")) { window[name] = 1; grown = 1; break }
  } while (grown)
  for (name in window)
    if (name != "Form") print name "\t" declared[name]
}
AWK

# Prints "FILE<TAB>LINE<TAB>TEXT" for every string literal of the files whose
# whole text is one of the words of `names`, unless the line it ends on has
# a // comment holding `marker`. Comments, character literals, digit
# separators and raw strings are read as the compiler reads them, so that a
# quote inside one of them opens no string.
read -r -d '' literals_awk <<'AWK'
BEGIN {
  n = split(names, list, " ")
  for (i = 1; i <= n; i++) named[list[i]] = 1
}
FNR == 1 { state = "code" }
{
  s = $0; comment = ""; hits = 0
  while (s != "") {
    if (state == "block") {
      end = index(s, "*/")
      if (end == 0) break
      s = substr(s, end + 2); state = "code"
    } else if (state == "raw") {
      end = index(s, rawend)
      if (end == 0) { text = text s "\n"; break }
      text = text substr(s, 1, end - 1); s = substr(s, end + length(rawend))
      state = "code"
      if (text in named) hit[++hits] = text
    } else if (!match(s, /["'\/A-Za-z0-9_]/)) {
      break
    } else {
      s = substr(s, RSTART); c = substr(s, 1, 1)
      if (substr(s, 1, 2) == "//") { comment = s; break }
      if (substr(s, 1, 2) == "/*") { s = substr(s, 3); state = "block"; continue }
      if (c == "/") { s = substr(s, 2); continue }
      if (c == "\"") {
        # A string left open at the end of the line ends there.
        if (!match(s, /^"([^"\\]|\\.)*"/)) break
        text = substr(s, 2, RLENGTH - 2); s = substr(s, RLENGTH + 1)
        if (text in named) hit[++hits] = text
        continue
      }
      if (c == "'") {
        if (match(s, /^'([^'\\]|\\.)*'/)) s = substr(s, RLENGTH + 1)
        else s = substr(s, 2)
        continue
      }
      if (c ~ /[0-9]/) {
        # A number, with its digit separators (1'000) and exponents.
        match(s, /^[0-9]([eEpP][-+]|'[0-9A-Za-z_]|[0-9A-Za-z_.])*/)
        s = substr(s, RLENGTH + 1)
        continue
      }
      match(s, /^[A-Za-z0-9_]+/)
      word = substr(s, 1, RLENGTH); s = substr(s, RLENGTH + 1)
      # A raw string, R"delimiter( ... )delimiter", which may span lines.
      if (word ~ /^(u8|u|U|L)?R$/ && substr(s, 1, 1) == "\"" && (open = index(s, "(")) > 0) {
        rawend = ")" substr(s, 2, open - 2) "\""
        s = substr(s, open + 1); text = ""; state = "raw"
      }
    }
  }
  if (index(comment, marker) == 0)
    for (i = 1; i <= hits; i++) print FILENAME "\t" FNR "\t" hit[i]
}
AWK

declare -A window_at=()
if [ "${#window_files[@]}" -gt 0 ]; then
  while IFS=$'\t' read -r name file; do
    window_at[$name]=${file#"$src"/}
  done < <(awk "$windows_awk" "${window_files[@]}")
fi

if [ "${#window_at[@]}" -gt 0 ] && [ "${#lower_files[@]}" -gt 0 ]; then
  marker='// text, not a window name'
  while IFS=$'\t' read -r file line text; do
    breach "${file#"$src"/}:$line: \"$text\" nomina la finestra di ${window_at[$text]} (se è un testo per l'utente, la riga porti $marker)"
  done < <(awk -v names="${!window_at[*]}" -v marker="$marker" "$literals_awk" "${lower_files[@]}")
fi

if [ "$breaches" -gt 0 ]; then
  echo "check-layers: $breaches violazioni" >&2
  exit 1
fi
echo "check-layers: ok"
