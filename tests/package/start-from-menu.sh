#!/usr/bin/env bash
# Runs inside xvfb-run: starts the menu entry's command the way a desktop
# launcher does, waits for the catalog window, takes a screenshot and ends the
# program.
#
#   start-from-menu.sh <work-dir> <command>
set -euo pipefail

work=$1
command_line=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

# A launcher's environment: the system PATH, a home folder, no test platform.
export PATH=/usr/bin:/bin
export HOME=$work/home
export XDG_RUNTIME_DIR=$work/runtime
unset QT_QPA_PLATFORM
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$HOME"

read -r -a argv <<<"$command_line"
[ "$(command -v "${argv[0]}")" = /usr/bin/zelvora ] \
  || fail "'${argv[0]}' resolves to '$(command -v "${argv[0]}" || true)', not /usr/bin/zelvora"

import -window root "$work/bare-screen.png"
"${argv[@]}" >"$work/zelvora.log" 2>&1 &
launched=$!
stop() {
  kill "$launched" 2>/dev/null || true
  wait "$launched" 2>/dev/null || true
}
trap stop EXIT

# The catalog window's title is the application title after two spaces.
window=
for _ in $(seq 1 300); do
  window=$(xdotool search --onlyvisible --name '^  Zelvora$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  kill -0 "$launched" 2>/dev/null || { cat "$work/zelvora.log"; fail "zelvora ended before its window appeared"; }
  sleep 0.1
done
if [ -z "$window" ]; then
  import -window root "$work/zelvora-failed.png" 2>/dev/null || true
  echo "windows on the display:"; xwininfo -root -tree | grep -E '^ +0x' | head -n 40 || true
  fail "no visible catalog window titled '  Zelvora' within 30 s (screenshot: $work/zelvora-failed.png)"
fi

pid=$(xdotool getwindowpid "$window" 2>/dev/null || echo "$launched")
exe=$(readlink "/proc/$pid/exe" || true)
[ "$exe" = /usr/bin/zelvora ] || fail "the window belongs to '$exe', not the installed program"

eval "$(xdotool getwindowgeometry --shell "$window")"
echo "catalog window $window: ${WIDTH}x${HEIGHT} at ${X},${Y}, process $pid"
[ "$WIDTH" -ge 200 ] && [ "$HEIGHT" -ge 150 ] || fail "catalog window is only ${WIDTH}x${HEIGHT}"

# Keep a picture of the screen once the window has been drawn: the centre of
# the window no longer shows what the bare screen showed there.
shot=$work/zelvora-installed.png
pixel() { identify -format "%[pixel:p{$2,$3}]" "$1"; }
cx=$((X + WIDTH / 2)) cy=$((Y + HEIGHT / 2))
bare=$(pixel "$work/bare-screen.png" "$cx" "$cy")
centre=$bare
for _ in $(seq 1 50); do
  import -window root "$shot"
  centre=$(pixel "$shot" "$cx" "$cy")
  [ "$centre" != "$bare" ] && break
  sleep 0.1
done
echo "screenshot: window centre $centre, bare screen $bare"
[ "$centre" != "$bare" ] || fail "the catalog window was never drawn"
kill -0 "$launched" 2>/dev/null || fail "zelvora ended while its window was shown"

# The splash window shows the skin "abre.png" of the data folder the program
# found: the package's /usr/share/zelvora/dados, as no "dados" sits beside
# /usr/bin/zelvora. Its pixels on the screen are the file's pixels.
skin=/usr/share/zelvora/dados/abre.png
if [ -f "$skin" ]; then
  splash=
  for _ in $(seq 1 100); do
    splash=$(xdotool search --onlyvisible --name '^Zelvora$' 2>/dev/null | head -n1 || true)
    [ -n "$splash" ] && break
    sleep 0.1
  done
  [ -n "$splash" ] || fail "no splash window titled 'Zelvora' appeared"
  eval "$(xdotool getwindowgeometry --shell "$splash")"
  rgb() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:; }
  points="20,20 $((WIDTH / 2)),$((HEIGHT / 2)) $((WIDTH - 30)),$((HEIGHT - 20))"
  matched=false
  for _ in $(seq 1 50); do
    import -window root "$shot"
    matched=true
    for pt in $points; do
      px=${pt%,*} py=${pt#*,}
      [ "$(rgb "$shot" $((X + px)) $((Y + py)))" = "$(rgb "$skin" "$px" "$py")" ] || { matched=false; break; }
    done
    $matched && break
    sleep 0.1
  done
  $matched || fail "the splash window does not show $skin (screenshot: $shot)"
  echo "splash window shows the installed $skin"
fi
