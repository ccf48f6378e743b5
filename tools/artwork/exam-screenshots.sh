#!/bin/bash
# Takes the screenshots of the exam window in docs/: a paper running with a
# few answers on the answer card, and the review of it open beside the answer
# column. Run from the source folder after a build, once per screen:
#   xvfb-run -a -s "-screen 0 1024x768x24" tools/artwork/exam-screenshots.sh build/bin/zelvora docs 1024x768
#   xvfb-run -a -s "-screen 0 1366x768x24" tools/artwork/exam-screenshots.sh build/bin/zelvora docs 1366x768
#   QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x2048x24" tools/artwork/exam-screenshots.sh build/bin/zelvora docs hidpi
# The program runs with a throw-away home, so no attempt lands in a real one.
set -eu
program=$1
out=$2
name=$3
scale=${QT_SCALE_FACTOR:-1}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
sleep 3
"$program" &
pid=$!

# Logical pixels to the screen's.
px() { echo $(($1 * scale)); }
click() {
    xdotool mousemove --sync "$1" "$2" click 1
    sleep "${3:-1}"
}
# A click at a place inside a window (xdotool's window positions count the
# frame twice under openbox, so positions are taken relative to the window).
click_in() {
    xdotool mousemove --window "$1" --sync "$2" "$3" click 1
    sleep "${4:-1}"
}
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
}
# The visible window of that title and width (logical pixels).
window_of_width() {
    local w
    for w in $(xdotool search --onlyvisible --name "$1"); do
        geometry "$w"
        if [ "$WIDTH" = "$(px "$2")" ]; then
            echo "$w"
            return
        fi
    done
}

# The splash's start button, then the catalog's "Simulado".
wid=$(xdotool search --sync --onlyvisible --name '^Zelvora$' | head -1)
sleep 2
click_in "$wid" "$(px 70)" "$(px 440)" 2
wid=$(xdotool search --sync --onlyvisible --name '^  Zelvora$' | head -1)
click_in "$wid" "$(px 370)" "$(px 427)" 6

# The exam window fills the screen: the first paper, Iniciar.
click $(px 400) $(px 96)
xdotool key Home Return
sleep 1
click $(px 717) $(px 98) 6
# A few answers, one marked for review; the rest stays blank.
for k in b ctrl+Right d ctrl+Right r ctrl+Right a ctrl+Right ctrl+Right e; do
    xdotool key "$k"
    sleep 0.3
done
sleep 1
import -window root "$out/screenshot-exam-running-$name.png"

# Finalizar (the column's third button), "Sim" to the blank questions.
screen_w=$(xdotool getdisplaygeometry | cut -d' ' -f1)
column=$((screen_w - $(px 198)))
click $((column + $(px 97))) $(($(px 117) + $(px 125))) 2
xdotool key Return
sleep 2
# Revisar at the left end of the results' button row.
wid=$(window_of_width '^Zelvora$' 363)
geometry "$wid"
click_in "$wid" "$(px 58)" $((HEIGHT - $(px 22))) 2
# The review's list: its second row, then one down.
wid=$(xdotool search --onlyvisible --name '^Zelvora$' | tail -1)
for w in $(xdotool search --onlyvisible --name '^Zelvora$'); do
    geometry "$w"
    [ "$WIDTH" -lt "$(px 400)" ] && [ "$WIDTH" != "$(px 363)" ] && wid=$w
done
geometry "$wid"
click_in "$wid" $((WIDTH / 2)) "$(px 96)" 1
xdotool key Down
sleep 2
import -window root "$out/screenshot-exam-review-$name.png"

kill "$pid" 2>/dev/null || true
kill "$wm" 2>/dev/null || true
