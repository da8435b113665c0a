# shellcheck shell=bash
# Sourced by scripts/test, scripts/mutate and scripts/coverage. Tests run without a display; a
# test that needs an X server and does not start its own carries the CTest label "display", and
# only then is a virtual one (Xvfb) started for the run. The caller stops it with stop_xvfb (best
# from an EXIT trap).

xvfb_pid=

# Starts Xvfb on the first free display from :90 and exports DISPLAY, if the build in $1 has any
# test labelled display.
start_xvfb_if_needed() {
    local dir=$1 count
    count=$(ctest --test-dir "$dir" -N -L '^display$' 2>/dev/null | sed -n 's/^Total Tests: //p')
    [[ ${count:-0} -gt 0 ]] || return 0
    local n
    for n in $(seq 90 130); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        # Up when its socket appears, however busy the machine; gone if the display was taken.
        local waited
        for waited in $(seq 600); do
            [[ -e /tmp/.X11-unix/X$n ]] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
            sleep 0.1
        done
        if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
            export DISPLAY=":$n"
            echo "started Xvfb on $DISPLAY for $count test(s) labelled display"
            return 0
        fi
        xvfb_pid=
    done
    echo "could not start Xvfb" >&2
    return 1
}

stop_xvfb() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    fi
    unset DISPLAY
}
