#!/usr/bin/env bash
# The three main windows driven as a user would, under Xvfb with openbox:
# each window is maximised, restored, dragged larger by its corner grip and
# resized to 960 x 680, then given back its opening size; after that every
# menu title and every toolbar button is clicked and what opens is checked by
# window title (or, for a menu title, by the drop-down that appears). Along
# the way: the window-list shortcuts with the focus in a text box, and a save
# after the cover window was closed and reopened, which must keep the date
# the data file holds.
#
# Usage: tests/gui/main-windows.sh [PROGRAM] [DISPLAY_NUMBER] [SHOTS_DIR]
#   PROGRAM         the tubarex executable (default build/bin/tubarex)
#   DISPLAY_NUMBER  the first X display number to try (default 100); the
#                   script takes the first free one from there, up to 99
#                   numbers on (TUBAREX_DISPLAYS="FIRST-LAST" overrides)
#   SHOTS_DIR       where the screenshots go (default: a temporary folder)
# Exit status 0 when everything behaved, 1 otherwise (each fault is listed).
#
# Needs Xvfb, xdpyinfo, openbox, xdotool, xprop, xwininfo and ImageMagick's
# import. The main windows are found by their caption, after the project's
# name ("Tubarex-dati-palazzina – Perdite di carico acqua: ...").
# The click positions are those of Qt's Fusion style at 96 dpi with 20-pixel
# toolbar icons, measured from the top left corner of the window's inner area.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/support/own-display.sh"
program=$(realpath "${1:-$root/build/bin/tubarex}")
display_number=${2:-100}
work=$(mktemp -d /tmp/tubarex-gui.XXXXXX)
shots=${3:-$work/shots}
mkdir -p "$shots" "$work/home" "$work/bin" "$work/run"
chmod 700 "$work/run"

export HOME=$work/home XDG_RUNTIME_DIR=$work/run TMPDIR=$work QT_QPA_PLATFORM=xcb
# Documents go to this stand-in opener, which only notes their names.
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$1" >>"$work/opened"
EOF
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

pids=()
faults=0
# Stops what the run started. The logs stay for a run with faults; the
# working folder goes when it holds nothing else worth keeping.
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
        wait "${pids[i]}" 2>/dev/null
    done
    stop_own_display
    rm -rf "$work/home" "$work/run" "$work/bin"
    if ((faults == 0)) && [[ $shots != "$work"/* ]]; then
        rm -rf "$work"
    else
        echo "logs in $work"
    fi
}
trap cleanup EXIT

fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}
note() { echo "  [${SECONDS}s] $*"; }

OWN_DISPLAY_LOG=$work/xvfb.log
if ! start_own_display "$display_number" $((display_number + 99)); then
    fault "no free X display from :$display_number on"
    exit 1
fi
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

data=$work/Tubarex-dati-palazzina
cp "$root/examples/Tubarex-dati-palazzina" "$data"
(cd "$work" && exec "$program" "$data") >"$work/program.log" 2>&1 &
pids+=($!)

WATER="Perdite di carico acqua: dati per il calcolo"
GAS="Perdite di carico gas: dati per il calcolo"
COVER="Tubarex: frontespizio per la relazione"

# --- what is on the screen ---------------------------------------------------

# Whether a window's title is $2, or the project's name, a dash and $2
# (the main windows).
title_is() { # title wanted
    [[ $1 == "$2" || $1 == *" – $2" ]]
}

# The visible window with this title (empty when none).
window_named() {
    local id
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        if title_is "$(xdotool getwindowname "$id" 2>/dev/null)" "$1"; then
            echo "$id"
            return
        fi
    done
}

wait_named() { # title [seconds]
    local id tries=$((${2:-5} * 10))
    while ((tries-- > 0)); do
        id=$(window_named "$1")
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

wait_gone() { # id
    local tries=50
    while ((tries-- > 0)); do
        xwininfo -id "$1" 2>/dev/null | grep -q "IsViewable" || return 0
        sleep 0.1
    done
    return 1
}

# Visible windows of the program but tooltips: "id kind title" lines, the
# kind being "popup" for a drop-down menu (a window that no window manager
# handles) and otherwise the first of its window types.
program_windows() {
    local id kind
    for id in $(xdotool search --onlyvisible --class tubarex 2>/dev/null); do
        if xwininfo -id "$id" 2>/dev/null | grep -q "Override Redirect State: yes"; then
            kind=popup
            xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP && continue
        else
            kind=$(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | sed 's/.*= _NET_WM_WINDOW_TYPE_//;s/,.*//')
        fi
        echo "$id $kind $(xdotool getwindowname "$id" 2>/dev/null)"
    done | sort
}

# The lines of the window list $2 whose window is not in the list $1: the
# windows that opened (a main window whose title changed is no new one).
new_windows() { # before after
    awk 'NR == FNR { seen[$1] = 1; next } !($1 in seen)' <(echo "$1") <(echo "$2")
}

# Inner area of a window: "x y width height".
inner_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /^  Width/{w=$2} /^  Height/{h=$2} END{print x, y, w, h}'
}

shot() { import -window root "$shots/$1.png"; }

activate() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    sleep 0.3
}

click_at() { # window dx dy: a click at an offset from the inner area's corner
    local x y w h
    read -r x y w h < <(inner_geometry "$1")
    xdotool mousemove $((x + $2)) $((y + $3)) click 1
}

# --- positions (pixels from the inner area's top left corner) --------------

MENU_Y=10
TOOLBAR_Y=36
# The length box of the band's first line, in the water and gas windows.
BOX_X=84
BOX_Y=168
# File, Modifica, Visualizza, ?
MENU_X=(20 70 140 187)
# The centre of toolbar position i: buttons 29 pixels apart, separators 7.
toolbar_x() {
    local i=$1 buttons=0 separators=0 k
    for ((k = 1; k < i; k++)); do
        case $k in 5 | 7 | 12 | 14 | 19) separators=$((separators + 1)) ;; *) buttons=$((buttons + 1)) ;; esac
    done
    echo $((17 + buttons * 293 / 10 + separators * 13 / 2))
}

# --- checks ------------------------------------------------------------------

# Runs a click, then checks what opened against `expect`, one of
#   none            nothing new
#   menu            a drop-down menu (closed again with Escape)
#   dialog:TITLE    a dialog or message, answered with Escape
#   window:TITLE    a window, closed with Alt+F4 as from its title bar
#   front:TITLE     that (already open) window comes to the front
#   document        a document handed to the desktop's opener
#   colour          the all-grey question, then the colour dialog
# Alternatives are separated by "|" (the first that happens counts).
check_click() { # what expect command...
    local what=$1 expect=$2
    shift 2
    local before after opened_before=0
    before=$(program_windows)
    [ -f "$work/opened" ] && opened_before=$(wc -l <"$work/opened")
    "$@"
    local outcome="" tries=30 alt id kind
    while ((tries-- > 0)) && [ -z "$outcome" ]; do
        sleep 0.1
        IFS='|' read -ra alts <<<"$expect"
        for alt in "${alts[@]}"; do
            case $alt in
            menu)
                after=$(program_windows)
                if new_windows "$before" "$after" | grep -q "^[0-9]* popup "; then
                    outcome=menu
                    xdotool key Escape
                fi
                ;;
            dialog:* | window:*)
                id=$(window_named "${alt#*:}")
                if [ -n "$id" ] && ! grep -q "^$id " <<<"$before"; then
                    outcome=$alt
                    if [[ $alt == dialog:* ]]; then kind=DIALOG; else kind=NORMAL; fi
                    close_extra "$id $kind ${alt#*:}"
                    wait_gone "$id" || fault "$what: '${alt#*:}' did not close"
                fi
                ;;
            front:*)
                id=$(xdotool getactivewindow 2>/dev/null)
                title_is "$(xdotool getwindowname "$id" 2>/dev/null)" "${alt#*:}" && outcome=$alt
                ;;
            document)
                [ -f "$work/opened" ] && (($(wc -l <"$work/opened") > opened_before)) && outcome=document
                ;;
            colour)
                id=$(window_named "Tubarex: colore di sfondo")
                if [ -n "$id" ]; then
                    activate "$id"
                    xdotool key Escape # No: the colour dialog follows
                    sleep 1
                    after=$(program_windows)
                    id=$(new_windows "$before" "$after" | awk '{print $1}' | head -1)
                    if [ -n "$id" ]; then
                        outcome=colour
                        close_extra "$id DIALOG colour"
                        wait_gone "$id" || fault "$what: the colour dialog did not close"
                    fi
                fi
                ;;
            none) ;;
            esac
            [ -n "$outcome" ] && break
        done
    done
    if [ -z "$outcome" ]; then
        if [[ "|$expect|" == *"|none|"* ]]; then
            sleep 0.5
            after=$(program_windows)
            local extra
            extra=$(new_windows "$before" "$after")
            if [ -n "$extra" ]; then
                fault "$what: expected nothing, got: $extra"
                shot "fault-$faults"
                close_extra "$extra"
            else
                outcome=none
            fi
        else
            after=$(program_windows)
            fault "$what: expected $expect, got: $(new_windows "$before" "$after" | tr '\n' ';')"
            shot "fault-$faults"
            close_extra "$(new_windows "$before" "$after")"
        fi
    fi
    [ -n "$outcome" ] && note "$what -> $outcome"
}

# Closes windows that opened unexpectedly: menus and dialogs with Escape,
# windows as from their title bar, once they have the focus.
close_extra() {
    local id kind rest
    while read -r id kind rest; do
        [ -z "$id" ] && continue
        if [ "$kind" = popup ]; then
            xdotool key Escape
        else
            activate "$id"
            if [ "$(xdotool getactivewindow 2>/dev/null)" != "$id" ]; then
                fault "cannot close '$rest'"
                continue
            fi
            if [ "$kind" = DIALOG ]; then xdotool key Escape; else xdotool key alt+F4; fi
        fi
        wait_gone "$id"
    done <<<"$1"
}

# --- the resizes -------------------------------------------------------------

# Maximises by a double click on the title bar, restores the same way, drags
# the bottom right grip to 960 x 680 and gives the window its size back.
resize_sequence() { # id name
    local id=$1 name=$2 x y w h
    read -r x y w h < <(inner_geometry "$id")
    local width=$w height=$h
    activate "$id"
    xdotool mousemove $((x + w / 2)) $((y - 10)) click --repeat 2 --delay 100 1
    sleep 1
    read -r x y w h < <(inner_geometry "$id")
    ((w > 1200)) || fault "$name: not maximised ($w x $h)"
    shot "$name-2-maximised"
    check_menu_titles "$id" "$name (maximised)"
    xdotool mousemove $((x + w / 2)) $((y - 10)) click --repeat 2 --delay 100 1
    sleep 1
    read -r x y w h < <(inner_geometry "$id")
    ((w == width && h == height)) || fault "$name: restored to $w x $h, not $width x $height"
    shot "$name-3-restored"
    # The grip at the frame's bottom right corner.
    local frame fx fy fw fh
    frame=$(xwininfo -id "$id" -children | awk '/Parent window id/{print $4}')
    read -r fx fy fw fh < <(inner_geometry "$frame")
    xdotool mousemove $((fx + fw - 3)) $((fy + fh - 2)) mousedown 1 sleep 0.2 \
        mousemove $((fx + fw + 100)) $((fy + fh + 80)) sleep 0.2 \
        mousemove $((fx + fw - 3 + 960 - w)) $((fy + fh - 2 + 680 - h)) sleep 0.3 mouseup 1
    sleep 1
    read -r x y w h < <(inner_geometry "$id")
    ((w == 960 && h == 680)) || fault "$name: dragged to $w x $h, not 960 x 680"
    shot "$name-4-dragged"
    xdotool windowsize "$id" "$width" "$height"
    sleep 1
    shot "$name-5-back"
}

check_menu_titles() { # id name
    local id=$1 name=$2 k w
    local titles=(File Modifica Visualizza "?")
    for k in 0 1 2 3; do
        activate "$id"
        check_click "$name: menu ${titles[k]}" menu click_at "$id" "${MENU_X[k]}" "$MENU_Y"
    done
    activate "$id"
    w=$(inner_geometry "$id" | awk '{print $3}')
    check_click "$name: menu Finestra (right end)" "window:Guida in linea" \
        click_at "$id" $((w - 50)) "$MENU_Y"
}

# Expected outcome of each toolbar position, for the window `kind`.
toolbar_expectation() { # kind index
    local kind=$1
    case $2 in
    1) echo "dialog:Apri file" ;;
    # A silent save to the current file, or the dialog when there is none (a
    # cancelled "Salva con nome" leaves none).
    2) echo "none|dialog:Salva file con nome" ;;
    3) echo "dialog:Salva file con nome" ;;
    4) echo "dialog:Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo" ;;
    # The cover's print is the report: with both networks filled it first
    # asks whether to print both (Escape is Cancel).
    6) if [ "$kind" = cover ]; then echo "dialog:Tubarex: opzioni di stampa"; else echo document; fi ;;
    8) echo "window:Tubarex: menu delle procedure di calcolo disponibili" ;;
    9) if [ "$kind" = water ]; then echo "dialog:Tubarex: aiuto in linea"; else echo "front:$WATER"; fi ;;
    10) if [ "$kind" = gas ]; then echo "dialog:Tubarex: aiuto in linea"; else echo "front:$GAS"; fi ;;
    11) if [ "$kind" = cover ]; then echo "dialog:Tubarex: aiuto in linea"; else echo "front:$COVER"; fi ;;
    13) echo colour ;;
    15) echo "window:Tubarex: guida in linea" ;;
    16) echo "window:Suggerimento del giorno" ;;
    17) echo "window:Servizi di supporto ai clienti" ;;
    18) echo "window:Informazioni su Tubarex" ;;
    20) echo "dialog:Tubarex: controllo dati immessi nella finestra attiva" ;;
    21) echo none ;;
    22) echo "dialog:Attenzione: i dati non archiviati andranno persi !" ;;
    esac
}

# Every toolbar button but Clear (21), which the end of the run clicks.
check_toolbar() { # id name kind
    local id=$1 name=$2 kind=$3 i
    for i in 1 2 3 4 6 8 9 10 11 13 15 16 17 18 20 22; do
        activate "$id"
        check_click "$name: toolbar $i" "$(toolbar_expectation "$kind" "$i")" \
            click_at "$id" "$(toolbar_x "$i")" "$TOOLBAR_Y"
    done
}

# --- the run -----------------------------------------------------------------

echo "Program: $program on $DISPLAY; screenshots in $shots"
water=$(wait_named "$WATER" 15) || {
    fault "the water window did not open"
    exit 1
}
sleep 1
shot water-1-open
note "water window inner area: $(inner_geometry "$water")"

# The window-list shortcuts with the focus in the first length box.
activate "$water"
click_at "$water" "$BOX_X" "$BOX_Y"
xdotool key ctrl+c
gas=$(wait_named "$GAS" 5) || {
    fault "Ctrl+C with the focus in a box did not show the gas window"
    activate "$water"
    click_at "$water" "$(toolbar_x 10)" "$TOOLBAR_Y"
    gas=$(wait_named "$GAS" 5)
}
sleep 1
shot gas-1-open
activate "$gas"
click_at "$gas" "$BOX_X" "$BOX_Y"
xdotool key ctrl+d
cover=$(wait_named "$COVER" 5) || {
    fault "Ctrl+D with the focus in a box did not show the cover window"
    activate "$gas"
    click_at "$gas" "$(toolbar_x 11)" "$TOOLBAR_Y"
    cover=$(wait_named "$COVER" 5)
}
sleep 1
shot cover-1-open

# The cover window closed from its title bar and opened again keeps the
# record: a save from the water window writes the file's own date.
activate "$cover"
xdotool key alt+F4
wait_gone "$cover"
activate "$water"
click_at "$water" "$BOX_X" "$BOX_Y"
xdotool key ctrl+d
cover=$(wait_named "$COVER" 5) || fault "Ctrl+D did not show the cover window again"
activate "$water"
check_click "water: save after the cover window reopened" none click_at "$water" "$(toolbar_x 2)" "$TOOLBAR_Y"
if tail -1 "$data" | iconv -f WINDOWS-1252 -t UTF-8 | grep -q '"lunedì, 7 dic 2026"'; then
    note "the saved file keeps its date"
else
    fault "the saved file's date became: $(tail -1 "$data" | iconv -f WINDOWS-1252 -t UTF-8 | cut -d, -f6-8)"
fi

for entry in "water:$water" "gas:$gas" "cover:$cover"; do
    kind=${entry%%:*}
    id=${entry#*:}
    echo "== $kind window"
    resize_sequence "$id" "$kind"
    check_menu_titles "$id" "$kind"
    check_toolbar "$id" "$kind" "$kind"
done

echo "== clear"
for entry in "water:$water" "gas:$gas" "cover:$cover"; do
    activate "${entry#*:}"
    check_click "${entry%%:*}: toolbar 21" none click_at "${entry#*:}" "$(toolbar_x 21)" "$TOOLBAR_Y"
done
shot end

if ((faults > 0)); then
    echo "$faults fault(s); screenshots in $shots"
    exit 1
fi
echo "all main windows behaved; screenshots in $shots"
