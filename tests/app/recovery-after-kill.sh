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
# Needs Xvfb and xdotool.
set -uo pipefail

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

# Answers Yes (the default button) to the question on the screen.
answer_yes() {
    local window
    window=$(xdotool search --name "$question" | head -n 1)
    xdotool windowfocus --sync "$window" key Return
}

# A screen of its own: Xvfb picks a free display number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
if ! wait_for '[[ -s $work/display ]]' 100; then
    echo "FAULT: Xvfb did not start"
    exit 1
fi
export DISPLAY=:$(head -n 1 "$work/display")

# A run that is gone left its copy: the data file, as the copy has its format.
mkdir -p "$folder"
chmod 700 "$folder"
cp "$data" "$folder/Tubarex-recupero-1-1"

"$program" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
if wait_for 'xdotool search --name "$question" >/dev/null' 150; then
    answer_yes
    wait_for '[[ -n $(copy_of "$first") ]]' 50 || fault "the restoring run keeps no copy"
    [[ -e $folder/Tubarex-recupero-1-1 ]] && fault "the restored copy is still there"
else
    fault "the copy left by a run that is gone was not offered"
fi

# A second run while the first is alive: nothing to offer.
"$program" >"$work/second.log" 2>&1 &
second=$!
pids+=("$second")
sleep 3
xdotool search --name "$question" >/dev/null && fault "the copy of a live run was offered"
kill "$second"
wait "$second" 2>/dev/null

first_copy=$(copy_of "$first")
cp "$first_copy" "$work/kept" 2>/dev/null || fault "no copy of the first run to keep"
kill -KILL "$first"
wait "$first" 2>/dev/null

"$program" >"$work/third.log" 2>&1 &
third=$!
pids+=("$third")
if wait_for 'xdotool search --name "$question" >/dev/null' 150; then
    answer_yes
    wait_for '[[ -n $(copy_of "$third") ]]' 50 || fault "the run that restored keeps no copy"
    [[ -e $first_copy ]] && fault "the killed run's copy is still there after restoring it"
    cmp -s "$work/kept" "$(copy_of "$third")" || fault "the restored project differs"
else
    fault "the copy of the killed run was not offered"
fi

((faults == 0)) || { cat "$work"/*.log; exit 1; }
echo "recovery after SIGKILL: ok"
