#!/usr/bin/env bash
# The sample program as a user meets it: on a virtual display of its own (Xvfb) with openbox, in a
# folder of the default files, some broken, driven with xdotool, its window read back with
# ImageMagick and its boxes with tesseract. zorvexa_e2e_check works out the frames and checks the
# recorded sound (SDL's disk audio natively, an ALSA file device under Wine). GROUP picks the
# scenarios of the table at the end; EMULATOR runs the programs (Wine), if any. Every wait polls
# with a generous deadline. Exits 77 (skipped) when a tool is missing.
set -uo pipefail

[[ $# -ge 5 ]] || { echo "usage: e2e.sh GROUP PROGRAM ASSET-TOOL CHECK-TOOL WORK-DIR ['EMULATOR|ARG...']" >&2; exit 2; }
group=$1 program=$2 assets=$3 check=$4 work=$5
emulator=()
[[ -z ${6:-} ]] || IFS='|' read -r -a emulator <<<"$6"
wine=$((${#emulator[@]} > 0))  # 1 under the emulator (Wine)
for tool in Xvfb openbox xdotool wmctrl xprop xwininfo import convert tesseract; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
tesseract --list-langs 2>/dev/null | grep -qx jpn || { echo "SKIP: tesseract has no Japanese (tesseract-ocr-jpn)"; exit 77; }

export LC_ALL=C.UTF-8
caption='エラー'
# X11, GTK and D-Bus keep memory until exit that a leak check cannot tell from ours (the unit
# tests check leaks); address errors still abort.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
rm -rf "$work" && mkdir -p "$work/home" && cd "$work" || exit 2
started=()
trap 'for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done; wait; [[ $wine == 0 ]] || "${emulator[@]}" --stop' EXIT

fail() { echo "FAIL ($scenario): $*" >&2; exit 1; }
step() { echo "-- $scenario: $*"; }
wait_until() {  # SECONDS COMMAND...: true once COMMAND is, false at the deadline
    local deadline=$((SECONDS + $1)) && shift
    until "$@"; do ((SECONDS < deadline)) && sleep 0.1 || return 1; done
}
running() { kill -0 "$1" 2>/dev/null; }
window_manager_up() { running "$1" || fail "openbox ended: $(cat openbox.log)"; wmctrl -m >/dev/null 2>&1; }

scenario=display
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>display 2>xvfb.log & started+=($!)
wait_until 120 test -s display || fail "Xvfb did not start: $(cat xvfb.log)"
export DISPLAY=":$(head -1 display)"
openbox --sm-disable >openbox.log 2>&1 & started+=($!)
wait_until 300 window_manager_up $! || fail "openbox did not start"
# Keep the pointer away from where windows appear (a window opening under it is told it moved).
xdotool mousemove 1270 1010
# Under Wine one session serves every program on this display.
[[ $wine == 0 ]] || "${emulator[@]}" --serve || fail "no Wine session"
mkdir good && "${emulator[@]}" "$assets" good || fail "the asset tool failed"
out=$("${emulator[@]}" "$assets" --help) && [[ $out == usage:* ]] || fail "the asset tool's --help"
out=$("${emulator[@]}" "$assets" --good 2>&1 >/dev/null); [[ $? == 2 && $out == usage:* && ! -e --good ]] || fail "an unknown option"

# Starts the sample in run/ with output to program.log.
start() {
    if [[ $wine == 1 ]]; then
        # Code page 932 needs ja_JP.UTF-8; ALSA's default device records, through HOME's .asoundrc.
        printf 'pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' "$work/played.raw" >home/.asoundrc
        (cd run && exec env HOME="$work/home" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "${emulator[@]}" "$program") &
    else
        (cd run && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/played.raw" "$program") &
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
# found TITLE: the first such window, in $window.
found() { window=$(titled "$1" | head -1) && [[ -n $window ]] || { running "$app" || fail "the program ended: $(cat program.log)"; false; }; }
size() { xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h}'; }

frame() {
    "${emulator[@]}" "$check" frame "expected-$1.rgb" "${size%x*}" "${size#*x}" run/osiri.bmp run/hand.bmp "${@:2}" ||
        fail "cannot work out the frame $1"
    shows() { import -window "$window" -depth 8 "rgb:shot-$1.rgb" 2>/dev/null && cmp -s "shot-$1.rgb" "expected-$1.rgb"; }
    wait_until 120 shows "$1" && { step "frame $1"; return; }
    for f in shot expected; do convert -size "$size" -depth 8 "rgb:$f-$1.rgb" "$f-$1.png"; done
    fail "frame $1 is not as expected (see $work/shot-$1.png, expected-$1.png)"
}

# The window: its client area one pixel smaller than the picture each way, the first frame; Motif
# hints for moving and closing only (functions 0x24; border, title, menu 0x1a); a maximise request
# changes nothing (once the later keep-above request shows, the first was dealt with); the cursor
# picture only right of column 4; a click in the grey tablet tints, and plays the sound; closed
# through the window manager, exit code 0.
session() {
    start
    wait_until 180 found Zorvexa || fail "no window titled Zorvexa appeared"
    size=$(size "$window")
    [[ $size == 639x479 ]] || fail "client area $size, expected 639x479"
    frame first
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
    for at in "200 150" "3 150" "5 60" "130 390"; do
        xdotool mousemove --window "$window" $at && frame "mouse-${at% *}" mouse $at
    done
    xdotool click 1 && frame clicked mouse 130 390 click 130 390
    "${emulator[@]}" "$check" sound played.raw run/sound.wav || fail "the click sound was not played"
    wmctrl -F -c Zorvexa || fail "wmctrl could not close the window"
    expect_exit 0
}

# The box's words as a person sees them: grey, four times as large, through tesseract's Japanese
# model; the file's name too (Latin letters, which some Japanese fonts lack).
legible() {
    import -window "$1" box.png 2>/dev/null && convert box.png -colorspace Gray -resize 400% box-large.png || return 1
    read=$(tesseract box-large.png - -l jpn --psm 6 2>/dev/null | tr -d ' \n')
    [[ $read == *読み込み* && $read == *失敗* && $read == *"$2"* ]]
}

# One box captioned エラー and no window; read when $2 is "read"; closed; no second box.
expect_box() {
    local box
    wait_until 180 found "$caption" || fail "no message box: $(cat program.log)"
    box=$window
    [[ -z $(titled Zorvexa) ]] || fail "a main window appeared"
    if [[ $2 == read ]]; then
        wait_until 60 legible "$box" "$1" || fail "the box reads '$read' (see $work/box.png)"
        step "the box reads $read"
    fi
    wmctrl -F -c "$caption" || fail "wmctrl could not close the box"
    another() { titled "$caption" | grep -qv "$box" && fail "a second box"; ended; }
    wait_until 120 another || fail "the program did not end"
    expect_exit 0
}

# Natively with no display at all, the message $1 is the last line on stderr, exit code $2.
headless() {
    said=$(cd run && env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1 >/dev/null | tail -1; exit "${PIPESTATUS[0]}")
    local rc=$?
    [[ $said == "$caption: $1" && $rc == "$2" ]] || fail "without a display: '$said', exit code $rc"
}

# Breaks run/$1 in the way $2 names.
break_file() {
    case $2 in
        missing) rm "run/$1" ;;
        fifo) rm "run/$1" && mkfifo "run/$1" ;;  # opening it would hang the program
        empty) : >"run/$1" ;;
        truncated) head -c $(($(stat -c %s "good/$1") / 2)) "good/$1" >"run/$1" ;;
    esac
}

# One box of each kind (which broken file makes which box is the unit tables' business). "sdl":
# where GTK cannot open the display, SDL's box stands in (its fonts have no Japanese to read).
# group   scenario          files broken                       then
table='
window  session           -                                  session
window  no-display        -                                  no-display
boxes   no-background     osiri.bmp:missing,hand.bmp:fifo    box osiri read
boxes   no-cursor         hand.bmp:missing                   box hand read
boxes   hand-truncated    hand.bmp:truncated                 box hand
boxes   hand-empty        hand.bmp:empty                     box hand sdl
'
while read -r -u 3 in scenario files then name how; do
    [[ $in == "$group" ]] || continue
    rm -rf run played.raw && cp -r good run
    [[ $files == - ]] || for f in ${files//,/ }; do break_file "${f%%:*}" "${f#*:}"; done
    case $then in
        session) session ;;
        no-display) [[ $wine == 1 ]] || headless "ウィンドウを作成できませんでした。" 1 ;;  # Wine needs a display
        box)
            if [[ $wine == 1 || -n $how ]]; then
                [[ $how == sdl && $wine == 0 ]] && export GDK_BACKEND=wayland XDG_RUNTIME_DIR=$work/home
                start
                expect_box "$name" "$how"
                unset GDK_BACKEND XDG_RUNTIME_DIR
            fi
            [[ $wine == 1 ]] || headless "$name.bmpの読み込みに失敗しました。" 0
            ;;
        *) fail "no such step: $then" ;;
    esac
    step passed
done 3<<<"$table"
echo "PASS: $group"
