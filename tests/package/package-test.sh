#!/usr/bin/env bash
# Packages Zelvora with cpack, judges the .deb with Debian's tools (lintian,
# appstreamcli, desktop-file-validate, man), installs it on this machine,
# starts the program from its menu entry under Xvfb, checks that the catalog
# window comes up, then removes the package and checks that nothing of it is
# left.
#
#   package-test.sh <build-dir> <work-dir>
#
# Exit 77 (skipped) when not root or when dpkg is not available. The package is
# purged on every way out once installation has begun.
set -euo pipefail

build=$(cd "$1" && pwd)
work=$2
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
command -v dpkg >/dev/null && command -v dpkg-deb >/dev/null || skip "dpkg is not available"
for tool in cpack dpkg-shlibdeps xvfb-run xdotool import identify lintian appstreamcli \
            desktop-file-validate man; do
  command -v "$tool" >/dev/null || fail "$tool is missing (install tools/debian-packages.txt)"
done
rm -rf "$work"
mkdir -p "$work"
export DEBIAN_FRONTEND=noninteractive

# ---------------------------------------------------------------- build the .deb
step "cpack -G DEB"
if ! (cd "$build" && cpack -G DEB -B "$work/cpack") >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack failed"
fi
shopt -s nullglob
debs=("$work"/cpack/zelvora_*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || fail "expected one zelvora_*.deb, found ${#debs[@]}"
deb=${debs[0]}
echo "built $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zelvora ] || fail "package name is '$(field Package)'"
[ "$(field Section)" = education ] || fail "section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
depends=$(field Depends)
echo "Depends: $depends"
# Dependency names, one a line, without versions.
dep_names=$(tr ',|' '\n\n' <<<"$depends" | sed -E 's/\(.*\)//; s/^[[:space:]]+//; s/[[:space:]]+$//' | sed '/^$/d')
has_dep() { grep -qx "$1" <<<"$dep_names"; }
for d in fonts-liberation fonts-dejavu-core libc6 libqt6widgets6; do
  has_dep "$d" || fail "Depends lacks $d"
done

dpkg-deb -c "$deb" >"$work/contents.txt"
# Every entry lives under /usr and belongs to root.
if awk '$2 != "root/root" { bad = 1; print } END { exit !bad }' "$work/contents.txt"; then
  fail "entries above are not owned by root/root"
fi
if awk '$6 !~ /^\.\/(usr\/.*)?$/ { bad = 1; print } END { exit !bad }' "$work/contents.txt"; then
  fail "entries above are outside /usr"
fi
deb_paths=$(awk '{ p = $6; sub(/^\./, "", p); sub(/\/$/, "", p); print p }' "$work/contents.txt")
in_deb() { grep -qxF "$1" <<<"$deb_paths"; }
metainfo=/usr/share/metainfo/io.github.zelvora.zelvora.metainfo.xml
manpages="/usr/share/man/man1/zelvora.1.gz /usr/share/man/man1/zelvora-unzip.1.gz /usr/share/man/man1/zelvora-check.1.gz"
for p in /usr/bin/zelvora /usr/share/applications/zelvora.desktop \
         /usr/share/icons/hicolor/scalable/apps/zelvora.svg "$metainfo" $manpages \
         /usr/share/doc/zelvora/copyright /usr/share/doc/zelvora/changelog.gz; do
  in_deb "$p" || fail "$p is not in the package"
done
# Architecture-independent files live under /usr/share; /usr/lib holds nothing.
if grep -E '^/usr/lib(/|$)' <<<"$deb_paths"; then
  fail "the entries above are under /usr/lib"
fi
for size in 48 64 128 256; do
  in_deb "/usr/share/icons/hicolor/${size}x${size}/apps/zelvora.png" || fail "no ${size}px icon in the package"
done
for tool in zelvora-unzip zelvora-check; do
  if [ -x "$build/bin/$tool" ]; then
    in_deb "/usr/bin/$tool" || fail "$tool was built but is not in the package"
  else
    echo "note: $tool is not built here, not expected in the package"
  fi
done
# The sample data folder of the build tree is shipped whole, under /usr/share.
if [ -d "$build/bin/dados" ]; then
  n=0
  while IFS= read -r -d '' f; do
    rel=${f#"$build/bin/dados/"}
    in_deb "/usr/share/zelvora/dados/$rel" || fail "data file dados/$rel is not in the package"
    n=$((n + 1))
  done < <(find "$build/bin/dados" -type f -print0)
  echo "$n data files in the package"
else
  echo "note: no sample data folder in $build/bin/dados, the package carries none"
fi

# ---------------------------------------------------------------- lintian
# No error; every warning must be one that docs/packaging.md lists with its
# reason (a row of its lintian table starts with the tag in backquotes).
step "lintian"
docs=$here/../../docs/packaging.md
[ -f "$docs" ] || fail "$docs is missing"
lintian --tag-display-limit 0 --fail-on none "$deb" >"$work/lintian.txt" 2>&1 \
  || { cat "$work/lintian.txt"; fail "lintian could not check the package"; }
cat "$work/lintian.txt"
if grep -E '^E: ' "$work/lintian.txt"; then
  fail "lintian reports the errors above"
fi
unlisted=0
while read -r tag; do
  grep -qF "| \`$tag\`" "$docs" || { echo "warning not explained in docs/packaging.md: $tag"; unlisted=1; }
done < <(sed -nE 's/^W: [^:]+: ([a-z0-9-]+).*/\1/p' "$work/lintian.txt" | sort -u)
[ "$unlisted" -eq 0 ] || fail "lintian warnings that docs/packaging.md does not list"

# ---------------------------------------------------------------- install
# Two runs of this test on one machine (two build trees) take turns.
exec 9>/run/lock/zelvora-package-test.lock
flock -w 300 9 || fail "another run of this test holds /run/lock/zelvora-package-test.lock"
if dpkg -L zelvora >/dev/null 2>&1; then
  fail "a zelvora package is already known to dpkg here; remove it first (apt-get purge zelvora)"
fi

# apt waits for the package database when another apt or dpkg holds it.
apt_get() { apt-get -q -y -o DPkg::Lock::Timeout=120 "$@"; }
installed=0
cleanup() {
  if [ "$installed" -eq 1 ]; then
    echo "cleaning up: purging zelvora"
    apt_get purge zelvora >/dev/null 2>&1 || dpkg --purge zelvora >/dev/null 2>&1 || true
  fi
}
trap cleanup EXIT

installed=1   # from here on even a half-done installation gets purged
if command -v apt-get >/dev/null; then
  step "apt-get install ./$(basename "$deb")"
  (cd "$(dirname "$deb")" && apt_get install --no-install-recommends "./$(basename "$deb")") \
    >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "apt-get install failed"; }
else
  step "dpkg -i $(basename "$deb")"
  dpkg -i "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "dpkg -i failed"; }
fi
dpkg-query -W -f='${Status}' zelvora | grep -qx 'install ok installed' || fail "zelvora is not fully installed"
dpkg -L zelvora >"$work/installed-files.txt"

[ -x /usr/bin/zelvora ] && [ ! -L /usr/bin/zelvora ] || fail "/usr/bin/zelvora is not the program itself"

# Every library the program links directly comes from a package it depends on.
owner_of() {
  local p=$1 alt
  for alt in "$p" "$(readlink -f "$p")" "${p#/usr}" "/usr$p"; do
    dpkg-query -S "$alt" 2>/dev/null | head -n1 | cut -d: -f1 && return 0
  done
  return 1
}
ldd /usr/bin/zelvora >"$work/ldd.txt" || fail "ldd failed"
while read -r lib; do
  path=$(awk -v l="$lib" '$1 == l && $2 == "=>" { print $3 }' "$work/ldd.txt")
  [ -n "$path" ] && [ "$path" != "not" ] || fail "$lib is not found on this system"
  pkg=$(owner_of "$path") || fail "no package owns $path"
  has_dep "$pkg" || fail "the program links $lib from $pkg, which is not in Depends"
  echo "$lib -> $pkg"
done < <(readelf -d /usr/bin/zelvora | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')

desktop=/usr/share/applications/zelvora.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
# The software-centre listing validates (without fetching its screenshot URLs)
# and names the menu entry above.
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects $metainfo"
grep -qF '<launchable type="desktop-id">zelvora.desktop</launchable>' "$metainfo" \
  || fail "$metainfo does not name zelvora.desktop"

# Every manual page formats without a warning from groff.
for page in $manpages; do
  out=$(man --warnings -E UTF-8 -l "$page" 2>"$work/man-warnings.txt") || fail "man -l $page failed"
  [ ! -s "$work/man-warnings.txt" ] || { cat "$work/man-warnings.txt"; fail "man -l $page warns"; }
  name=$(basename "$page" .1.gz)
  grep -q "^NAME" <<<"$out" && grep -q "$name" <<<"$out" || fail "man -l $page does not show the $name page"
done

# --help and --version answer without a display; the version is the package's.
version=$(field Version)
for program in zelvora zelvora-unzip zelvora-check; do
  [ -x "/usr/bin/$program" ] || continue
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "/usr/bin/$program" --version) \
    || fail "$program --version failed without a display"
  [ "$got" = "$program $version" ] || fail "$program --version says '$got', not '$program $version'"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "/usr/bin/$program" --help >"$work/help.txt" \
    || fail "$program --help failed without a display"
  grep -q "$program" "$work/help.txt" || fail "$program --help does not name the program"
done

# zelvora-check without a folder checks the installed sample data, which the
# program reads too: nothing in it may fail for a user.
if [ -x /usr/bin/zelvora-check ] && [ -d "$build/bin/dados" ]; then
  (cd / && zelvora-check) >"$work/check.txt" 2>&1 || { cat "$work/check.txt"; fail "zelvora-check finds errors in the installed data folder"; }
  tail -n1 "$work/check.txt"
fi
grep -qx 'Categories=Education;' "$desktop" || fail "menu entry is not in the Education category"
grep -qx 'Icon=zelvora' "$desktop" || fail "menu entry does not use the zelvora icon"

# PNG width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
for size in 48 64 128 256; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/zelvora.png
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
done

# ---------------------------------------------------------------- start from the menu
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n1)
# Field codes (%f, %U, ...) expand to nothing when no file is handed over.
exec_line=$(sed -E 's/[[:space:]]*%[fFuUdDnNickvm]//g' <<<"$exec_line")
[ -n "$exec_line" ] || fail "no Exec line in $desktop"
step "starting '$exec_line' under Xvfb"
touch "$work/before-start"
# A second try only guards against a display that Xvfb could not open (a
# busy machine); a program that fails on a working display fails both.
start_ok=false
for attempt in 1 2; do
  if timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24" \
       bash "$here/start-from-menu.sh" "$work" "$exec_line"; then
    start_ok=true
    break
  fi
  grep -q "could not connect to display" "$work/zelvora.log" 2>/dev/null || break
  echo "Xvfb display not reachable (attempt $attempt), trying again"
done
$start_ok || { cat "$work/zelvora.log" 2>/dev/null || true; fail "Zelvora did not start from its menu entry"; }

# The program never writes into its own folder or its data folder.
step "checking the installed files are untouched"
verify=$(dpkg --verify zelvora 2>&1 || true)
[ -z "$verify" ] || { echo "$verify"; fail "installed files changed while Zelvora ran"; }
if [ -d /usr/share/zelvora ]; then
  extra=$(find /usr/share/zelvora -newer "$work/before-start" -print | grep -vxFf "$work/installed-files.txt" || true)
  [ -z "$extra" ] || { echo "$extra"; fail "files appeared under /usr/share/zelvora while Zelvora ran"; }
  extra=$(find /usr/share/zelvora -print | grep -vxFf "$work/installed-files.txt" || true)
  [ -z "$extra" ] || { echo "$extra"; fail "files not from the package under /usr/share/zelvora"; }
fi

# ---------------------------------------------------------------- remove
step "removing the package"
if command -v apt-get >/dev/null; then
  apt_get remove zelvora >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "apt-get remove failed"; }
else
  dpkg --remove zelvora >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "dpkg --remove failed"; }
fi
installed=0
if dpkg -L zelvora >/dev/null 2>&1; then
  dpkg-query -W -f='${Status}\n' zelvora
  fail "dpkg still lists zelvora after removal"
fi
left=0
while IFS= read -r p; do
  case $p in /.) continue ;; esac
  if [ -L "$p" ] || [ -e "$p" ]; then
    # Shared folders such as /usr/bin stay when another package owns them.
    if [ -d "$p" ] && [ ! -L "$p" ] && dpkg-query -S "$p" >/dev/null 2>&1; then continue; fi
    echo "left behind: $p"
    left=1
  fi
done <"$work/installed-files.txt"
[ "$left" -eq 0 ] || fail "removal left files behind"
[ ! -e /usr/share/zelvora ] || fail "/usr/share/zelvora is still there"

echo "PASS: packaged, installed, started from the menu and removed cleanly"
echo "screenshot: $work/zelvora-installed.png"
