#!/usr/bin/env bash
# The copy of unsaved work survives a run killed with SIGKILL. On a virtual
# screen of its own: a copy left by a run that is gone (a data file put in
# the recovery folder) is offered at start and restored with Return (Yes);
# the run then keeps the project in a copy of its own. A second run started
# meanwhile does not offer that copy, as its run is alive. The first run is
# then killed with SIGKILL: the next run offers its copy, and the copy it
# keeps after restoring holds the same project, byte for byte.
#
# Usage: recovery-after-kill.sh PROGRAM DATA_FILE
# Exit status 0 when everything behaved, 1 otherwise (each fault is listed).
# Needs Xvfb, xdpyinfo and xdotool. The X server is the script's own (see
# tests/support/own-display.sh): each run of the program is started on it
# only once it is sure the server is still there and still its own, and
# only the program's own windows are looked for.
set -uo pipefail

source "$(dirname "$0")/../support/own-display.sh"

program=$(realpath "$1")
data=$(realpath "$2")
work=$(mktemp -d /tmp/tubarex-recovery.XXXXXX)
mkdir -p "$work/home" "$work/data" "$work/config" "$work/run"
chmod 700 "$work/run"
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/run TMPDIR=$work QT_QPA_PLATFORM=xcb
folder=$XDG_DATA_HOME/tubarex/tubarex/recupero
question="dati non archiviati"

pids=()
faults=0
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
        wait "${pids[i]}" 2>/dev/null
    done
    stop_own_display
    rm -rf "$work"
}
trap cleanup EXIT

fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}

# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_for() {
    for ((t = 0; t < $2; t++)); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

# The copy kept by the run with process number $1.
copy_of() {
    find "$folder" -maxdepth 1 -name "Tubarex-recupero-$1-*" ! -name '*.lock' | head -n 1
}

# The question of the run with process number $1, on this script's screen.
question_of() {
    xdotool search --all --pid "$1" --name "$question" 2>/dev/null | head -n 1
}

# Answers Yes (the default button) to the question of the run $1.
answer_yes() {
    local window
    window=$(question_of "$1")
    xdotool windowfocus --sync "$window" key Return
}

# Starts the program in the background (its process number in $started),
# on this script's own screen: a server that died or lost its display to
# another is replaced first.
start_program() { # log
    if ! own_display_ok; then
        stop_own_display
        start_own_display || { echo "FAULT: no X server of its own"; exit 1; }
    fi
    "$program" >"$work/$1.log" 2>&1 &
    started=$!
    pids+=("$started")
}

OWN_DISPLAY_LOG=$work/xvfb.log
start_own_display || { echo "FAULT: no X server of its own"; exit 1; }

# A run that is gone left its copy: the data file, as the copy has its format.
mkdir -p "$folder"
chmod 700 "$folder"
cp "$data" "$folder/Tubarex-recupero-1-1"

start_program first
first=$started
if wait_for '[[ -n $(question_of "$first") ]]' 150; then
    answer_yes "$first"
    wait_for '[[ -n $(copy_of "$first") ]]' 50 || fault "the restoring run keeps no copy"
    [[ -e $folder/Tubarex-recupero-1-1 ]] && fault "the restored copy is still there"
else
    fault "the copy left by a run that is gone was not offered"
fi

# A second run while the first is alive: nothing to offer.
start_program second
second=$started
sleep 3
[[ -n $(question_of "$second") ]] && fault "the copy of a live run was offered"
kill "$second"
wait "$second" 2>/dev/null

first_copy=$(copy_of "$first")
cp "$first_copy" "$work/kept" 2>/dev/null || fault "no copy of the first run to keep"
kill -KILL "$first"
wait "$first" 2>/dev/null

start_program third
third=$started
if wait_for '[[ -n $(question_of "$third") ]]' 150; then
    answer_yes "$third"
    wait_for '[[ -n $(copy_of "$third") ]]' 50 || fault "the run that restored keeps no copy"
    [[ -e $first_copy ]] && fault "the killed run's copy is still there after restoring it"
    cmp -s "$work/kept" "$(copy_of "$third")" || fault "the restored project differs"
else
    fault "the copy of the killed run was not offered"
fi

((faults == 0)) || { cat "$work"/*.log; exit 1; }
echo "recovery after SIGKILL: ok"
