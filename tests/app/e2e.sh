#!/usr/bin/env bash
# The sample program as a user meets it: a virtual display of the test's own (Xvfb) with a small
# window manager (openbox), the real program in a folder of the default files, the mouse driven
# by xdotool, the window read back with ImageMagick, the window closed through the window
# manager. What the window should show is worked out by zorvexa_e2e_check with the library;
# what is played is recorded (SDL's disk audio driver natively, an ALSA file device under Wine).
#
#   e2e.sh SCENARIO --program EXE --assets EXE --check EXE --probe EXE --work DIR
#          [--emulator 'CMD|ARG|...']
#
#   session        first frame, a frame that neither sizes nor maximises, cursor picture at x = 3
#                  and beyond, a click (tint and sound), close
#   no-background  no "osiri.bmp": one message box whose words read (OCR), exit code 0, "hand.bmp"
#                  never opened
#   no-cursor      no "hand.bmp": one message box whose words read (OCR), exit code 0
#   no-sound       no "sound.wav": a click tints, silently
#   bad-pictures   "osiri.bmp" truncated, huge in its declared size, 8-bit, 32-bit or not a
#                  .bmp at all, then "hand.bmp" truncated or not a .bmp: each its message box,
#                  exit code 0
#   bad-sound      "sound.wav" empty, truncated, declaring more than the file holds, or not
#                  WAVE: a click tints, silently
#   no-display     no display at all: the window cannot be made, which the program says on
#                  stderr, ending with exit code 1 instead of waiting for ever (not under Wine)
#   boxes          the message box before any window, owned by a window and beside it
#                  (zorvexa_box_probe): its words read (OCR), Return answers IDOK, Escape and the
#                  close box IDCANCEL; natively also where GTK cannot open the display (SDL's box)
#
# Words are read from a screenshot of the box's window with tesseract's Japanese model.
# --emulator runs the target's programs (the cross build runs them under Wine). Exits 77, which
# CTest counts as skipped, when a tool it needs is missing.
set -uo pipefail

scenario=${1:-}
shift || true
program= assets= check= probe= work=
emulator=()
while [[ $# -gt 0 ]]; do
    case $1 in
        --program) program=$2; shift 2 ;;
        --assets) assets=$2; shift 2 ;;
        --check) check=$2; shift 2 ;;
        --probe) probe=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        --emulator) [[ -n $2 ]] && IFS='|' read -r -a emulator <<<"$2"; shift 2 ;;
        *) echo "e2e.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
[[ -n $scenario && -n $program && -n $assets && -n $check && -n $probe && -n $work ]] || { sed -n '2,/^set -uo/p' "$0" | sed '$d'; exit 2; }
under_wine=0
[[ ${#emulator[@]} -gt 0 ]] && under_wine=1

for tool in Xvfb openbox xdotool wmctrl xwininfo import convert cmp; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

# Texts are compared as UTF-8.
export LC_ALL=C.UTF-8
caption='エラー'
# Sanitizer builds: a whole program run also holds what the X11 and D-Bus libraries that SDL
# loads keep until exit, and SDL unloads some of them before the leak check, so their reports
# cannot be told from ours. Leaks are checked where our code alone runs: the unit suites under
# LeakSanitizer and valgrind, including a long WndProc session. Address errors still abort here.
# Appended: of repeated options the last one counts.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

rm -rf "$work"
mkdir -p "$work/run"
cd "$work" || exit 2
started=()
cleanup() {
    local i
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do kill "${started[i]}" 2>/dev/null; done
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do wait "${started[i]}" 2>/dev/null; done
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }
target() { "${emulator[@]}" "$@"; }

# ---- the display --------------------------------------------------------------------------------

start_display() {
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
    started+=($!)
    local i
    for i in $(seq 100); do
        [[ -s $work/display ]] && break
        sleep 0.1
    done
    [[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -1 "$work/display")"
    openbox --sm-disable >/dev/null 2>&1 &
    started+=($!)
    for i in $(seq 100); do
        wmctrl -m >/dev/null 2>&1 && break
        sleep 0.1
    done
    wmctrl -m >/dev/null 2>&1 || fail "openbox did not start"
    # Keep the pointer away from where the window will appear: a window that opens under the
    # pointer is told the mouse moved.
    xdotool mousemove 1270 1010
    step "display $DISPLAY with openbox"
}

# ---- the program --------------------------------------------------------------------------------

app_pid=
# Starts the sample, or the program given, in run/; its output goes to program.log.
start_program() {
    local exe=${1:-$program}
    if [[ $under_wine == 1 ]]; then
        # Wine takes its ANSI code page from the locale: 932 needs ja_JP.UTF-8. Its sound goes to
        # ALSA, whose default device is made a recorder here (through HOME's .asoundrc).
        mkdir -p home
        printf 'pcm.!default {\n type file\n slave.pcm "null"\n file "%s"\n format "raw"\n}\n' \
            "$work/played.raw" >home/.asoundrc
        (cd run && exec env HOME="$work/home" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "${emulator[@]}" "$exe") \
            >program.log 2>&1 &
    else
        (cd run && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/played.raw" "$exe") >program.log 2>&1 &
    fi
    app_pid=$!
    started+=("$app_pid")
}

# Waits for the program to end by itself and checks its exit code.
expect_exit() {
    local want=$1 i rc
    for i in $(seq 600); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    wait "$app_pid"
    rc=$?
    [[ $rc == "$want" ]] || fail "exit code $rc, expected $want; its output: $(cat program.log)"
    step "exit code $rc"
}

# Windows whose title is exactly $1, as the window manager lists them (xdotool cannot match titles
# stored as UTF-8, which SDL's message boxes use).
windows_titled() {
    wmctrl -l 2>/dev/null | awk -v title="$1" '{ id = $1; sub(/^[^ ]+ +[^ ]+ +[^ ]+ ?/, ""); if ($0 == title) print id }'
}

find_window() {
    local name=$1 tenths=$(($2 * 10)) i found
    # A search can fail while windows come and go; ask again until the deadline.
    for ((i = 0; i < tenths; i++)); do
        found=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -1)
        [[ -n $found ]] && { echo "$found"; return 0; }
        kill -0 "$app_pid" 2>/dev/null || return 0
        sleep 0.1
    done
}

# ---- frames -------------------------------------------------------------------------------------

window= width= height=
save_png() { convert -size "${width}x${height}" -depth 8 "rgb:$1" "${1%.rgb}.png" 2>/dev/null; }

# Waits until the window shows exactly the frame described by the arguments after the name.
expect_frame() {
    local name=$1
    shift
    target "$check" frame "expected-$name.rgb" "$width" "$height" run/osiri.bmp run/hand.bmp "$@" ||
        fail "cannot work out the expected frame $name"
    local i
    # Up to a minute: sanitizer and Wine builds on a busy machine can be slow to repaint.
    for i in $(seq 300); do
        import -window "$window" -depth 8 "rgb:shot-$name.rgb" 2>/dev/null
        cmp -s "shot-$name.rgb" "expected-$name.rgb" && { step "frame $name as expected"; return 0; }
        sleep 0.2
    done
    save_png "shot-$name.rgb"
    save_png "expected-$name.rgb"
    fail "frame $name: $(cmp -l "shot-$name.rgb" "expected-$name.rgb" 2>/dev/null | wc -l) bytes differ (see $work/shot-$name.png, expected-$name.png)"
}

make_assets() {
    target "$assets" run || fail "the asset tool failed"
}

open_main_window() {
    start_program
    # Wine's first start in a fresh prefix takes a while.
    window=$(find_window '^Zorvexa$' 90)
    [[ -n $window ]] || fail "no window titled Zorvexa appeared; its output: $(cat program.log)"
    read -r width height < <(xwininfo -id "$window" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w, h}')
    [[ "$width x $height" == "639 x 479" ]] || fail "client area $width x $height, expected 639 x 479"
    step "window $window, client area $width x $height"
}

close_main_window() {
    wmctrl -F -c Zorvexa || fail "wmctrl could not close the window"
    expect_exit 0
}

# The frame offers moving and closing only, and a request to maximise changes nothing. The Motif
# hints are what window managers read for frame controls: functions move (0x4) and close (0x20),
# decorations border (0x2), title (0x8) and menu (0x10).
expect_fixed_frame() {
    local flags functions decorations rest state i
    read -r flags functions decorations rest < <(xprop -id "$window" -notype _MOTIF_WM_HINTS |
        sed -n 's/^_MOTIF_WM_HINTS = //p' | tr -d ',')
    [[ -n $decorations && $((flags & 3)) == 3 && $((functions)) == $((0x24)) && $((decorations)) == $((0x1a)) ]] ||
        fail "Motif hints '$flags $functions $decorations $rest', expected functions 0x24 and decorations 0x1a"
    step "Motif hints: functions $functions, decorations $decorations"
    xprop -id "$window" _NET_WM_ALLOWED_ACTIONS | grep -q -E 'MAXIMIZE|RESIZE' &&
        fail "the window manager allows $(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)"
    wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz || fail "wmctrl could not send the maximise request"
    for i in $(seq 10); do
        sleep 0.1
        state=$(xprop -id "$window" _NET_WM_STATE)
        [[ $state == *MAXIMIZED* ]] && fail "the window was maximised: $state"
    done
    local now
    now=$(xwininfo -id "$window" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w " x " h}')
    [[ $now == "$width x $height" ]] || fail "after a maximise request the client area is $now"
    step "a maximise request left the client area at $now"
}

click_at() {
    xdotool mousemove --window "$window" "$1" "$2"
    expect_frame "before-click" mouse "$1" "$2" "${@:3}"
    xdotool click 1
}

# ---- message boxes ------------------------------------------------------------------------------

need_ocr() {
    command -v tesseract >/dev/null 2>&1 && tesseract --list-langs 2>/dev/null | grep -qx jpn ||
        { echo "SKIP: tesseract with its Japanese model (tesseract-ocr-jpn) is not installed"; exit 77; }
}

# The one box captioned $caption, once it is there; fails when none comes.
wait_for_box() {
    local boxes= i
    # Wine's first start in a fresh prefix takes a while.
    for i in $(seq 900); do
        boxes=$(windows_titled "$caption")
        [[ -n $boxes ]] && break
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -n $boxes ]] || fail "no message box captioned $caption; the program's output: $(cat program.log)"
    sleep 0.5
    [[ $(windows_titled "$caption" | wc -l) == 1 ]] || fail "$(windows_titled "$caption" | wc -l) message boxes, expected one"
    windows_titled "$caption"
}

# Reads the words of box $1 as a person would see them: its window alone, in grey, four times as
# large, through tesseract's Japanese model; the spaces tesseract puts between Japanese characters
# are dropped. Fails unless "読み込み", "失敗" and the file's name $3 ("osiri" or "hand": Latin
# letters, which a Japanese font may lack) are there. Saves $2.png and $2.txt.
expect_legible_box() {
    local box=$1 name=$2 file=$3 read= i
    # The box may still be drawing.
    for i in $(seq 10); do
        if import -window "$box" "$name.png" 2>/dev/null &&
            convert "$name.png" -colorspace Gray -resize 400% "$name-large.png" 2>/dev/null; then
            read=$(tesseract "$name-large.png" - -l jpn --psm 6 2>/dev/null | tr -d ' \n')
            [[ $read == *読み込み* && $read == *失敗* && $read == *"$file"* ]] && break
        fi
        sleep 0.5
    done
    printf '%s\n' "$read" >"$name.txt"
    [[ $read == *読み込み* && $read == *失敗* && $read == *"$file"* ]] || fail "the box reads '$read' (see $work/$name.png)"
    step "the box reads: $read"
}

# Sends a key to box $1 as a user types it (the box is brought to the front first).
press_in_box() {
    xdotool windowactivate --sync "$1" key "$2" 2>/dev/null || fail "xdotool could not press $2 in the box"
}

expect_message_box() {
    local text=$1 legible=${2:-} box
    start_program
    box=$(wait_for_box) || exit 1
    [[ -z $(windows_titled Zorvexa) ]] || fail "a main window appeared"
    step "one message box captioned $caption"
    [[ -n $legible ]] && expect_legible_box "$box" "$legible" "${text%%.bmp*}"
    wmctrl -F -c "$caption" || fail "wmctrl could not close the message box"
    expect_exit 0
    if [[ $under_wine == 0 ]]; then
        # Without a display the same message is a line on stderr: the text itself, checked.
        local line
        # (SDL's display probes may say something first.)
        line=$(cd run && env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1 >/dev/null | tail -1)
        [[ $line == "$caption: $text" ]] || fail "without a display the program said '$line'"
        step "without a display: $line"
    fi
}

# ---- broken files -------------------------------------------------------------------------------


# Writes the 32-bit little-endian value $3 at offset $2 of file $1.
put32() {
    printf '%b' "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($3 & 255)) $(($3 >> 8 & 255)) $(($3 >> 16 & 255)) $(($3 >> 24 & 255)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# Makes $2 a broken copy of the good file $1, of the kind named $3.
break_picture() {
    local good=$1 bad=$2 kind=$3
    cp "$good" "$bad"
    case $kind in
        truncated) head -c $(($(stat -c %s "$good") / 2)) "$good" >"$bad" ;;
        huge) put32 "$bad" 18 30000; put32 "$bad" 22 30000 ;;  # 3.6 GB of pixels, the file far shorter
        8-bit) printf '\x08' | dd of="$bad" bs=1 seek=28 conv=notrunc status=none ;;
        32-bit) printf '\x20' | dd of="$bad" bs=1 seek=28 conv=notrunc status=none ;;
        not-bmp) printf 'This is not a picture at all, just some text in a file.\n' >"$bad" ;;
    esac
}

break_sound() {
    local good=$1 bad=$2 kind=$3
    cp "$good" "$bad"
    case $kind in
        empty) : >"$bad" ;;
        truncated) head -c $(($(stat -c %s "$good") / 2)) "$good" >"$bad" ;;
        beyond) put32 "$bad" 4 $(($(stat -c %s "$good") * 4)) ;;  # the RIFF size
        not-wave) printf 'RIFF\x24\x00\x00\x00AVI LIST' >"$bad"; head -c 28 /dev/zero >>"$bad" ;;
    esac
}

# ---- scenarios ----------------------------------------------------------------------------------

tablet_x=130  # inside the default picture's grey tablet with its blue inlay
tablet_y=390

case $scenario in
    session)
        start_display
        make_assets
        open_main_window
        expect_frame "first" # before any mouse move: the background alone
        expect_fixed_frame
        expect_frame "first-after-maximise"
        xdotool mousemove --window "$window" 200 150
        expect_frame "mouse-200-150" mouse 200 150
        xdotool mousemove --window "$window" 3 150
        expect_frame "mouse-3-150" mouse 3 150
        xdotool mousemove --window "$window" 5 60
        expect_frame "mouse-5-60" mouse 5 60
        click_at "$tablet_x" "$tablet_y"
        expect_frame "clicked" mouse "$tablet_x" "$tablet_y" click "$tablet_x" "$tablet_y"
        xdotool click 1
        expect_frame "clicked-twice" mouse "$tablet_x" "$tablet_y" click "$tablet_x" "$tablet_y" click "$tablet_x" "$tablet_y"
        target "$check" sound played.raw run/sound.wav || fail "the click sound was not played as recorded"
        step "the click sound was played"
        close_main_window
        ;;
    no-background)
        start_display
        make_assets
        rm run/osiri.bmp
        # Opening a pipe with no writer blocks: a program that opened "hand.bmp" would hang.
        rm run/hand.bmp
        mkfifo run/hand.bmp
        need_ocr
        expect_message_box 'osiri.bmpの読み込みに失敗しました。' box-no-background
        ;;
    no-cursor)
        start_display
        make_assets
        rm run/hand.bmp
        need_ocr
        expect_message_box 'hand.bmpの読み込みに失敗しました。' box-no-cursor
        ;;
    no-sound)
        start_display
        make_assets
        rm run/sound.wav
        open_main_window
        expect_frame "first"
        click_at "$tablet_x" "$tablet_y"
        expect_frame "clicked" mouse "$tablet_x" "$tablet_y" click "$tablet_x" "$tablet_y"
        [[ -s played.raw ]] && fail "something was played"
        close_main_window
        ;;
    bad-pictures)
        start_display
        make_assets
        mkdir good
        cp run/osiri.bmp run/hand.bmp good/
        for kind in truncated huge 8-bit 32-bit not-bmp; do
            step "osiri.bmp $kind"
            break_picture good/osiri.bmp run/osiri.bmp "$kind"
            expect_message_box 'osiri.bmpの読み込みに失敗しました。'
        done
        cp good/osiri.bmp run/osiri.bmp
        # The same loader reads both pictures: two kinds are enough to see the second message.
        for kind in truncated not-bmp; do
            step "hand.bmp $kind"
            break_picture good/hand.bmp run/hand.bmp "$kind"
            expect_message_box 'hand.bmpの読み込みに失敗しました。'
        done
        ;;
    bad-sound)
        start_display
        make_assets
        cp run/sound.wav good.wav
        for kind in empty truncated beyond not-wave; do
            step "sound.wav $kind"
            break_sound good.wav run/sound.wav "$kind"
            rm -f played.raw
            open_main_window
            click_at "$tablet_x" "$tablet_y"
            expect_frame "clicked" mouse "$tablet_x" "$tablet_y" click "$tablet_x" "$tablet_y"
            [[ -s played.raw ]] && fail "something was played for a sound.wav $kind"
            close_main_window
        done
        ;;
    no-display)
        [[ $under_wine == 1 ]] && { echo "SKIP: Wine needs a display to show a message box"; exit 77; }
        make_assets
        line=$(cd run && env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1 >/dev/null | tail -1; exit "${PIPESTATUS[0]}")
        rc=$?
        [[ $line == "$caption: ウィンドウを作成できませんでした。" ]] || fail "the program said '$line'"
        [[ $rc == 1 ]] || fail "exit code $rc, expected 1"
        step "$line; exit code $rc"
        ;;
    boxes)
        need_ocr
        start_display
        for box_maker in gtk sdl; do
            if [[ $box_maker == sdl ]]; then
                # Natively only: GTK cannot open the display, so SDL shows the boxes (with the X
                # server's core fonts, which have no Japanese: nothing to read).
                [[ $under_wine == 1 ]] && break
                export GDK_BACKEND=wayland XDG_RUNTIME_DIR=$work/no-wayland
                unset WAYLAND_DISPLAY
                mkdir -p "$XDG_RUNTIME_DIR"
                step "GTK unable to open the display"
            fi
            start_program "$probe"
            box=$(wait_for_box) || exit 1
            [[ $box_maker == gtk ]] && expect_legible_box "$box" box-alone osiri
            press_in_box "$box" Return
            probe_window=$(find_window '^Zorvexa probe$' 30)
            [[ -n $probe_window ]] || fail "the probe's window did not appear; its output: $(cat program.log)"
            box=$(wait_for_box) || exit 1
            owner=$(xprop -id "$box" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
            [[ -n $owner && $((owner)) == "$probe_window" ]] ||
                fail "the owned box belongs to '$owner', not to the window $probe_window"
            step "the owned box belongs to the window"
            [[ $box_maker == gtk ]] && expect_legible_box "$box" box-owned hand
            if [[ $box_maker == gtk ]]; then press_in_box "$box" Escape; else wmctrl -F -c "$caption"; fi
            # A box while the window is still up, but no one's.
            for i in $(seq 50); do [[ -z $(windows_titled "$caption") ]] && break; sleep 0.1; done
            box=$(wait_for_box) || exit 1
            wmctrl -F -c "$caption" || fail "wmctrl could not close the box"
            expect_exit 0
            # Return gives IDOK (1); Escape and the close box give IDCANCEL (2), as in Wine.
            answers=$(tr -d '\r' <program.log | grep -E '^(alone|owned|beside) ' | tr '\n' ' ')
            [[ $answers == "alone 1 owned 2 beside 2 " ]] || fail "the boxes answered '$answers'; the output: $(cat program.log)"
            step "$box_maker boxes answered: $answers"
        done
        ;;
    *)
        echo "e2e.sh: unknown scenario $scenario" >&2
        exit 2
        ;;
esac
echo "PASS: $scenario"
