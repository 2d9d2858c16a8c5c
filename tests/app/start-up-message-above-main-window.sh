#!/bin/sh
# A message of the start (a file that cannot be read) on a display with a
# window manager: the box belongs to the main window and lies above it.
# Without a window manager every new window lands on top, so this needs
# one: openbox on a private Xvfb.
# Usage: start-up-message-above-main-window.sh PROGRAM
set -u
program=$1
for tool in Xvfb openbox xprop xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "needs $tool"; exit 77; }
done

work=$(mktemp -d)
xvfb=
wm=
app=
cleanup() {
    for pid in $app $wm $xvfb; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
tries=0
while [ ! -s "$work/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || { echo "Xvfb did not start"; exit 1; }
    sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY
openbox >/dev/null 2>&1 &
wm=$!
# Waits up to ten seconds for a command to succeed.
wait_for() {
    tries=0
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || return 1
        sleep 0.1
    done
}
wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || { echo "openbox did not start"; exit 1; }

HOME=$work/home NO_AT_BRIDGE=1 "$program" --open "$work/missing.seq" >"$work/out" 2>&1 &
app=$!

# The program's window that is transient for another: the message box.
dialog_of_program() {
    for window in $(xdotool search --pid "$app" 2>/dev/null); do
        if xprop -id "$window" WM_TRANSIENT_FOR 2>/dev/null | grep -q "window id"; then
            echo "$window"
            return 0
        fi
    done
    return 1
}
wait_for dialog_of_program || { echo "no message box appeared"; cat "$work/out"; exit 1; }
dialog=$(dialog_of_program)
owner=$(xprop -id "$dialog" WM_TRANSIENT_FOR | sed 's/.*# //')
owner_name=$(xprop -id "$owner" WM_NAME | sed 's/.*= //')
# Let the window manager finish stacking both windows.
sleep 1
top=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*[ ,]//')
status=0
if [ "$owner_name" != '"MoraWin"' ]; then
    echo "the message box belongs to $owner_name, not to the main window"
    status=1
fi
if [ "$((top))" -ne "$dialog" ]; then
    echo "the message box lies beneath: top window $top is not the box $(printf '0x%x' "$dialog")"
    status=1
fi
# Return closes the box; the main window then takes clicks again.
xdotool windowactivate --sync "$dialog" key Return 2>/dev/null
wait_for sh -c "! xprop -id $dialog WM_STATE 2>/dev/null | grep -q Normal" || {
    echo "Return did not close the message box"
    status=1
}
kill -0 "$app" 2>/dev/null || { echo "the program ended with the message box"; status=1; }
[ "$status" -ne 0 ] || echo "message box above the main window"
exit "$status"
