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
sleep 1
"$program" &
pid=$!

# Logical pixels to the screen's.
px() { echo $(($1 * scale)); }
click() {
    xdotool mousemove --sync "$1" "$2" click 1
    sleep "${3:-1}"
}
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
}

# The splash's start button, then the catalog's "Simulado".
wid=$(xdotool search --sync --onlyvisible --name '^Zelvora$' | head -1)
sleep 2
geometry "$wid"
click $((X + $(px 70))) $((Y + $(px 440))) 2
wid=$(xdotool search --sync --onlyvisible --name '^  Zelvora$' | head -1)
geometry "$wid"
click $((X + $(px 370))) $((Y + $(px 427))) 3

# The exam window fills the screen: the first paper, Iniciar.
click $(px 400) $(px 96)
xdotool key Home Return
sleep 1
click $(px 717) $(px 98) 4
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
wid=$(xdotool getactivewindow)
geometry "$wid"
click $((X + $(px 58))) $((Y + HEIGHT - $(px 22))) 2
# The review's list: its second row, then one down.
wid=$(xdotool getactivewindow)
geometry "$wid"
click $((X + WIDTH / 2)) $((Y + $(px 96))) 1
xdotool key Down
sleep 2
import -window root "$out/screenshot-exam-review-$name.png"

kill "$pid" 2>/dev/null || true
kill "$wm" 2>/dev/null || true
