#!/bin/bash
# Takes the screenshots shown in the README: the splash and the catalog
# window on the sample data folder, under a virtual X server with openbox
# (without it, no window manager activates the main window and the splash
# would not appear). Run from the source folder after a build:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tools/artwork/screenshots.sh build/bin/zelvora docs
# At twice the scale, as on a HiDPI screen (files named ...-hidpi.png):
#   QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x2048x24" tools/artwork/screenshots.sh build/bin/zelvora docs
set -eu
program=$1
out=$2
scale=${QT_SCALE_FACTOR:-1}
suffix=""
[ "$scale" != 1 ] && suffix="-hidpi"

if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
fi
"$program" &
pid=$!

# One window with its frame and title bar.
shoot() {
    local name=$1 file=$2
    local wid
    wid=$(xdotool search --sync --onlyvisible --name "^$name\$" | head -1)
    sleep 2
    import -frame -window "$wid" "$file"
}

shoot 'Zelvora' "$out/screenshot-splash$suffix.png"
# The start button: the zone at 0, 404, 146 x 73 of the splash.
wid=$(xdotool search --onlyvisible --name '^Zelvora$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + 70 * scale)) $((Y + 440 * scale)) click 1
shoot '  Zelvora' "$out/screenshot-catalog$suffix.png"

kill "$pid"
[ -n "${wm:-}" ] && kill "$wm"
