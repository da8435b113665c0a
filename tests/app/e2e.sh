#!/usr/bin/env bash
# The sample program as a user meets it: on a virtual display of its own (Xvfb) with a small
# window manager (openbox), in a folder of the default files, some of them broken, driven with
# xdotool, its window read back with ImageMagick and its message boxes with tesseract, closed
# through the window manager. zorvexa_e2e_check works out the frames and checks the recorded
# sound (SDL's disk audio natively, an ALSA file device under Wine).
#
#   e2e.sh GROUP --program EXE --assets EXE --check EXE --probe EXE --work DIR [--emulator 'CMD|ARG']
#
# runs the scenarios of GROUP (window or boxes) from the table at the end, one after another on
# one display; --emulator runs the programs (the cross build's Wine). Every wait is for a
# condition, with a deadline far beyond what a loaded machine needs. Exits 77 (skipped) when a
# tool is missing.
set -uo pipefail

group=${1:-}
shift
emulator=()
while [[ $# -gt 1 ]]; do
    case $1 in
        --program | --assets | --check | --probe | --work) printf -v "${1#--}" '%s' "$2" ;;
        --emulator) [[ -n $2 ]] && IFS='|' read -r -a emulator <<<"$2" ;;
        *) echo "e2e.sh: unknown argument $1" >&2; exit 2 ;;
    esac
    shift 2
done
wine=${#emulator[@]}
for tool in Xvfb openbox xdotool wmctrl xprop xwininfo import convert tesseract; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
tesseract --list-langs 2>/dev/null | grep -qx jpn || { echo "SKIP: tesseract has no Japanese (tesseract-ocr-jpn)"; exit 77; }

export LC_ALL=C.UTF-8
caption='エラー'
# A whole program also holds what X11, GTK and D-Bus keep until exit, which a leak check cannot
# tell from ours; leaks are checked in the unit tests. Address errors still abort.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
rm -rf "$work" && mkdir -p "$work/home" && cd "$work" || exit 2
started=()
trap 'for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done; wait; [[ $wine == 0 ]] || "${emulator[@]}" --stop' EXIT

fail() { echo "FAIL ($scenario): $*" >&2; exit 1; }
step() { echo "-- $scenario: $*"; }
# wait_until SECONDS COMMAND...: true once COMMAND is, false at the deadline.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}
running() { kill -0 "$1" 2>/dev/null; }
window_manager_up() { running "$1" || fail "openbox ended: $(cat openbox.log)"; wmctrl -m >/dev/null 2>&1; }

scenario=display
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>display 2>xvfb.log &
started+=($!)
wait_until 120 test -s display || fail "Xvfb did not start: $(cat xvfb.log)"
export DISPLAY=":$(head -1 display)"
openbox --sm-disable >openbox.log 2>&1 &
started+=($!)
wait_until 300 window_manager_up $! || fail "openbox did not start"
# Keep the pointer away from where windows appear (a window opening under it is told it moved).
xdotool mousemove 1270 1010
# Under Wine one session serves every program on this display.
[[ $wine == 0 ]] || "${emulator[@]}" --serve || fail "no Wine session"
mkdir good && "${emulator[@]}" "$assets" good || fail "the asset tool failed"

# ---- programs, windows and frames -----------------------------------------------------------------

app=
# Starts the program ($1, or the sample) in run/ with output to program.log.
start() {
    if [[ $wine == 1 ]]; then
        # Code page 932 needs ja_JP.UTF-8; ALSA's default device records, through HOME's .asoundrc.
        printf 'pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' "$work/played.raw" >home/.asoundrc
        (cd run && exec env HOME="$work/home" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "${emulator[@]}" "${1:-$program}") &
    else
        (cd run && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/played.raw" "${1:-$program}") &
    fi </dev/null >program.log 2>&1
    app=$!
    started+=("$app")
}
ended() { ! running "$app"; }
expect_exit() {
    wait_until 120 ended || fail "the program did not end"
    wait "$app"
    local rc=$?
    [[ $rc == "$1" ]] || fail "exit code $rc, expected $1; its output: $(cat program.log)"
}
# Windows titled exactly $1 (xdotool cannot match the UTF-8 titles of SDL's boxes).
titled() { wmctrl -l | awk -v t="$1" '{ id = $1; sub(/^[^ ]+ +[^ ]+ +[^ ]+ ?/, ""); if ($0 == t) print id }'; }
# found TITLE [NOT]: the first such window but NOT, in $window.
found() {
    window=$(titled "$1" | grep -vx "${2:-none}" | head -1)
    [[ -n $window ]] || { running "$app" || fail "the program ended: $(cat program.log)"; false; }
}
size() { xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h}'; }

frame() {
    "${emulator[@]}" "$check" frame "expected-$1.rgb" "${size%x*}" "${size#*x}" run/osiri.bmp run/hand.bmp "${@:2}" ||
        fail "cannot work out the frame $1"
    shows() { import -window "$window" -depth 8 "rgb:shot-$1.rgb" 2>/dev/null && cmp -s "shot-$1.rgb" "expected-$1.rgb"; }
    wait_until 120 shows "$1" && { step "frame $1"; return; }
    for f in shot expected; do convert -size "$size" -depth 8 "rgb:$f-$1.rgb" "$f-$1.png"; done
    fail "frame $1 is not as expected (see $work/shot-$1.png, expected-$1.png)"
}

open_window() {
    start
    wait_until 180 found Zorvexa || fail "no window titled Zorvexa appeared"
    size=$(size "$window")
    [[ $size == 639x479 ]] || fail "client area $size, expected 639x479"
    frame first
}

close_window() {
    wmctrl -F -c Zorvexa || fail "wmctrl could not close the window"
    expect_exit 0
}

# The Motif hints offer moving and closing only (functions 0x24; decorations border, title, menu:
# 0x1a); a maximise request changes nothing. The window manager takes requests in order, so once
# a later one (keep above) shows, the earlier has been dealt with.
expect_fixed_frame() {
    local hints
    hints=$(xprop -id "$window" -notype _MOTIF_WM_HINTS | sed -n 's/^_MOTIF_WM_HINTS = //p' | tr -d ',')
    read -r flags functions decorations _ <<<"$hints"
    [[ $((flags & 3)) == 3 && $((functions)) == 36 && $((decorations)) == 26 ]] || fail "Motif hints '$hints'"
    xprop -id "$window" _NET_WM_ALLOWED_ACTIONS | grep -qE 'MAXIMIZE|RESIZE' && fail "it may be resized or maximised"
    wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz && wmctrl -i -r "$window" -b add,above ||
        fail "wmctrl could not send the requests"
    above() { xprop -id "$window" _NET_WM_STATE | grep -q ABOVE; }
    wait_until 60 above || fail "the window manager did not take the requests"
    xprop -id "$window" _NET_WM_STATE | grep -q MAXIMIZED && fail "the window was maximised"
    [[ $(size "$window") == "$size" ]] || fail "after a maximise request the client area is $(size "$window")"
    step "moves and closes only"
}

# Moves the mouse to ($1, $2), waits for the cursor picture there, then clicks.
click() {
    xdotool mousemove --window "$window" "$1" "$2"
    frame before-click mouse "$1" "$2"
    xdotool click 1
    frame clicked mouse "$1" "$2" click "$1" "$2"
}

# ---- message boxes --------------------------------------------------------------------------------

# The box's words as a person sees them: its window alone, grey, four times as large, through
# tesseract's Japanese model (without the spaces it puts between Japanese characters). The file's
# name is there too: Latin letters, which some Japanese fonts lack.
legible() {
    import -window "$1" box.png 2>/dev/null && convert box.png -colorspace Gray -resize 400% box-large.png || return 1
    read=$(tesseract box-large.png - -l jpn --psm 6 2>/dev/null | tr -d ' \n')
    [[ $read == *読み込み* && $read == *失敗* && $read == *"$2"* ]]
}

# One box captioned エラー (but $3) and no window; read when $2 is set; closed; no second box.
expect_box() {
    local box
    wait_until 180 found "$caption" "${3:-}" || fail "no message box: $(cat program.log)"
    box=$window
    [[ -z $(titled Zorvexa) ]] || fail "a main window appeared"
    if [[ -n ${2:-} ]]; then
        wait_until 60 legible "$box" "$1" || fail "the box reads '$read' (see $work/box.png)"
        step "the box reads $read"
    fi
    wmctrl -F -c "$caption" || fail "wmctrl could not close the box"
    another() { titled "$caption" | grep -qv "$box" && fail "a second box"; ended; }
    wait_until 120 another || fail "the program did not end"
    expect_exit 0
}

# ---- broken files ---------------------------------------------------------------------------------

# The 32-bit little-endian value $3 at offset $2 of file $1.
put32() { printf "$(printf '\\x%02x' $(($3 & 255)) $(($3 >> 8 & 255)) $(($3 >> 16 & 255)) $(($3 >> 24 & 255)))" |
    dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

# Breaks run/$1 in the way $2 names.
break_file() {
    local file=run/$1 good=good/$1
    case $2 in
        missing) rm "$file" ;;
        fifo) rm "$file" && mkfifo "$file" ;;  # opening it would hang the program
        empty) : >"$file" ;;
        truncated) head -c $(($(stat -c %s "$good") / 2)) "$good" >"$file" ;;
        huge) put32 "$file" 18 30000 && put32 "$file" 22 30000 ;;  # 3.6 GB of pixels declared
        8-bit | 32-bit) printf "\\x$(printf %02x "${2%-bit}")" | dd of="$file" bs=1 seek=28 conv=notrunc status=none ;;
        not-bmp) echo 'This is not a picture at all, just some text in a file.' >"$file" ;;
        not-wave) printf 'RIFF\x24\0\0\0AVI LIST' >"$file" && head -c 28 /dev/zero >>"$file" ;;
    esac
}

# ---- the scenarios --------------------------------------------------------------------------------

# group   scenario          files broken                       then
table='
window  session           -                                  session
window  no-sound          sound.wav:missing                  silent
window  sound-empty       sound.wav:empty                    silent
window  sound-truncated   sound.wav:truncated                silent
window  sound-not-wave    sound.wav:not-wave                 silent
window  no-display        -                                  no-display
boxes   no-background     osiri.bmp:missing hand.bmp:fifo    box osiri read
boxes   no-cursor         hand.bmp:missing                   box hand read
boxes   osiri-truncated   osiri.bmp:truncated                box osiri
boxes   osiri-huge        osiri.bmp:huge                     box osiri
boxes   osiri-8-bit       osiri.bmp:8-bit                    box osiri
boxes   osiri-32-bit      osiri.bmp:32-bit                   box osiri
boxes   osiri-not-bmp     osiri.bmp:not-bmp                  box osiri
boxes   hand-truncated    hand.bmp:truncated                 box hand
boxes   hand-not-bmp      hand.bmp:not-bmp                   box hand
boxes   probe             -                                  probe
'
tablet=(130 390)  # in the default picture's grey tablet, by its blue inlay

while read -r -u 3 in scenario files then name ocr; do
    [[ $in == "$group" ]] || continue
    rm -rf run played.raw && cp -r good run
    [[ $files == - ]] || for f in $files; do break_file "${f%%:*}" "${f#*:}"; done
    case $then in
        session)
            open_window
            expect_fixed_frame
            xdotool mousemove --window "$window" 200 150
            frame mouse-200 mouse 200 150
            xdotool mousemove --window "$window" 3 150
            frame mouse-3 mouse 3 150
            xdotool mousemove --window "$window" 5 60
            frame mouse-5 mouse 5 60
            click "${tablet[@]}"
            "${emulator[@]}" "$check" sound played.raw run/sound.wav || fail "the click sound was not played"
            close_window
            ;;
        silent)
            open_window
            click "${tablet[@]}"
            [[ -s played.raw ]] && fail "something was played"
            close_window
            ;;
        no-display)
            [[ $wine == 1 ]] && continue  # Wine needs a display
            said=$(cd run && env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1 >/dev/null | tail -1; exit "${PIPESTATUS[0]}")
            rc=$?
            [[ $said == "$caption: ウィンドウを作成できませんでした。" && $rc == 1 ]] || fail "said '$said', exit code $rc"
            ;;
        box)
            text="$name.bmpの読み込みに失敗しました。"
            if [[ $wine == 1 || -n $ocr ]]; then
                start
                expect_box "$name" "$ocr"
            fi
            if [[ $wine == 0 ]]; then
                # Without a display the same message is a line on stderr (after any of SDL's).
                said=$(cd run && env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1 >/dev/null | tail -1; exit "${PIPESTATUS[0]}")
                rc=$?
                [[ $said == "$caption: $text" && $rc == 0 ]] || fail "without a display: '$said', exit code $rc"
            fi
            ;;
        probe)
            # The box before any window, owned by a window and beside it: Return answers IDOK,
            # Escape and the close box IDCANCEL. Natively also SDL's box, where GTK cannot open
            # the display (its core fonts have no Japanese: nothing to read).
            for maker in gtk sdl; do
                [[ $maker == sdl ]] && { [[ $wine == 1 ]] && break; export GDK_BACKEND=wayland XDG_RUNTIME_DIR=$work/home; }
                start "$probe"
                wait_until 180 found "$caption" || fail "no box from the probe"
                [[ $maker == gtk ]] && { wait_until 60 legible "$window" osiri || fail "the box reads '$read'"; }
                xdotool windowactivate --sync "$window" key Return
                wait_until 120 found 'Zorvexa probe' || fail "no probe window"
                owner=$window
                owned() { found "$caption" && t=$(xprop -id "$window" WM_TRANSIENT_FOR | sed -n 's/.*# //p') && ((t == owner)); }
                wait_until 120 owned || fail "no box owned by the probe's window"
                [[ $maker == gtk ]] && { wait_until 60 legible "$window" hand || fail "the box reads '$read'"; }
                if [[ $maker == gtk ]]; then xdotool windowactivate --sync "$window" key Escape; else wmctrl -F -c "$caption"; fi
                expect_box hand "" "$window"
                answers=$(tr -d '\r' <program.log | tr '\n' ' ')
                [[ $answers == "alone 1 owned 2 beside 2 " ]] || fail "$maker boxes answered '$answers'"
            done
            unset GDK_BACKEND XDG_RUNTIME_DIR
            ;;
    esac
    step passed
done 3<<<"$table"
echo "PASS: $group"
