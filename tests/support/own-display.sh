# Sourced by the scripts that drive the program on an X server of their
# own, so that several of them (two worktrees, the suite beside a sanitizer
# build) can run at once on one machine.
#
# start_own_display [FIRST [LAST]]
#   Starts Xvfb (1280x1024, no TCP; no reset when its last client goes, as
#   a reset refuses the connections that come meanwhile) on the first
#   display number from FIRST to LAST that is free (TUBAREX_DISPLAYS="FIRST-LAST" in the environment
#   overrides both; default 100-199), and keeps it only when the server that
#   answers there is the one it started: alive, holding the display's lock.
#   Otherwise, a number another server took meanwhile, it tries the next.
#   Sets DISPLAY and OWN_DISPLAY_PID; returns 1 when no number worked.
# own_display_ok
#   Whether the server started is still alive and still owns DISPLAY.
# stop_own_display
#   Stops it.
#
# Xvfb's log goes to $OWN_DISPLAY_LOG (default /dev/null).

OWN_DISPLAY_PID=
OWN_DISPLAY_NUMBER=

own_display_ok() {
    [[ -n $OWN_DISPLAY_PID ]] && kill -0 "$OWN_DISPLAY_PID" 2>/dev/null || return 1
    local lock=/tmp/.X$OWN_DISPLAY_NUMBER-lock owner
    owner=$(tr -dc '0-9' 2>/dev/null <"$lock")
    [[ $owner == "$OWN_DISPLAY_PID" && $DISPLAY == ":$OWN_DISPLAY_NUMBER" ]] || return 1
    xdpyinfo -display ":$OWN_DISPLAY_NUMBER" >/dev/null 2>&1
}

stop_own_display() {
    if [[ -n $OWN_DISPLAY_PID ]]; then
        kill "$OWN_DISPLAY_PID" 2>/dev/null
        wait "$OWN_DISPLAY_PID" 2>/dev/null
    fi
    OWN_DISPLAY_PID=
    OWN_DISPLAY_NUMBER=
}

start_own_display() {
    local first=${1:-100} last=${2:-199} n tries
    if [[ ${TUBAREX_DISPLAYS:-} =~ ^([0-9]+)-([0-9]+)$ ]]; then
        first=${BASH_REMATCH[1]}
        last=${BASH_REMATCH[2]}
    fi
    ((last >= first)) || last=$first
    for ((n = first; n <= last; n++)); do
        # Taken by a server that runs, or did not clean up.
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >>"${OWN_DISPLAY_LOG:-/dev/null}" 2>&1 &
        OWN_DISPLAY_PID=$!
        OWN_DISPLAY_NUMBER=$n
        export DISPLAY=:$n
        for ((tries = 0; tries < 100; tries++)); do
            own_display_ok && return 0
            kill -0 "$OWN_DISPLAY_PID" 2>/dev/null || break
            sleep 0.1
        done
        # Not ours after all (another server won the number), or it died.
        stop_own_display
    done
    return 1
}
