#!/usr/bin/env bash
# The X server of a script's own (tests/support/own-display.sh) when other
# servers share the machine: a display number whose lock is held by another
# is passed over; two scripts starting at once over the same numbers end on
# different displays, each owning its own; a server that dies is no longer
# taken for the script's own.
#
# Usage: own-display-test.sh   (TUBAREX_DISPLAYS="FIRST-LAST" narrows the
# numbers tried; default 100-199). Needs Xvfb and xdpyinfo.
set -uo pipefail
source "$(dirname "$0")/../support/own-display.sh"

work=$(mktemp -d /tmp/tubarex-display.XXXXXX)
faults=0
fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}
planted=
cleanup() {
    [[ -n $planted ]] && rm -f "$planted"
    stop_own_display
    rm -rf "$work"
}
trap cleanup EXIT

# Two starts at once over the same numbers; each says where it ended.
for k in 1 2; do
    (
        start_own_display || exit 1
        echo "$DISPLAY $OWN_DISPLAY_PID" >"$work/$k"
        own_display_ok || exit 2
        sleep 3 # both alive at the same time
        own_display_ok || exit 3
        stop_own_display
    ) &
done
wait
for k in 1 2; do
    [[ -s $work/$k ]] || fault "start $k found no display of its own"
done
if [[ -s $work/1 && -s $work/2 ]]; then
    read -r one _ <"$work/1"
    read -r two _ <"$work/2"
    [[ $one != "$two" ]] || fault "both starts took $one"
fi

# A number whose lock another server holds is passed over.
start_own_display || fault "no display of its own"
taken=${OWN_DISPLAY_NUMBER:-0}
stop_own_display
if [[ ! -e /tmp/.X$taken-lock ]]; then
    planted=/tmp/.X$taken-lock
    printf '%10d\n' 1 >"$planted" # held by process 1, alive
    start_own_display || fault "no display of its own beside a held lock"
    [[ $OWN_DISPLAY_NUMBER != "$taken" ]] || fault "took :$taken, whose lock another holds"
    rm -f "$planted"
    planted=
fi

# A server that is gone is not the script's own any more.
own_display_ok || fault "the server just started is not its own"
kill "$OWN_DISPLAY_PID"
wait "$OWN_DISPLAY_PID" 2>/dev/null
own_display_ok && fault "a dead server is still taken for its own"
OWN_DISPLAY_PID=

((faults == 0)) || exit 1
echo "own display: ok"
