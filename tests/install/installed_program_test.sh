#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the
# programs, their manual pages, the menu entry and the software-centre metadata (both passing their validators)
# and the icon at every size; then starts the installed program on a private X server against
# the installed local directory, types Alt+R into its window as a keyboard would, which must run
# the default harvest from the start, and closes the window as a window manager would, which must
# end the program.
#
#   installed_program_test.sh BUILD_DIR WINDOW_INPUT_TOOL
set -euo pipefail
build_dir=$1
window_input=$2
id=com.example.Radiosift

prefix=$(mktemp -d)
server='' program='' directory=''
cleanup() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  [ -z "$directory" ] || kill "$directory" 2>/dev/null || true
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cmake --install "$build_dir" --prefix "$prefix/usr" >/dev/null
root=$prefix/usr
for program_file in radiosift radiosift-harvest radiosift-directory; do
  [ -x "$root/bin/$program_file" ] || fail "bin/$program_file is not installed"
done
# Each program's manual page, found by man and free of formatting warnings.
for page in radiosift radiosift-harvest radiosift-directory; do
  found=$(MANPATH=$root/share/man man -w "$page") || fail "man finds no page $page"
  [ "$found" = "$root/share/man/man1/$page.1.gz" ] || fail "man finds $page at $found"
  warnings=$(MANWIDTH=80 man --warnings -l "$found" 2>&1 >/dev/null) || fail "man cannot show $found"
  [ -z "$warnings" ] || fail "man warns on $found: $warnings"
done
entry=$root/share/applications/$id.desktop
metainfo=$root/share/metainfo/$id.metainfo.xml
[ -f "$entry" ] || fail "no desktop entry $entry"
[ -f "$metainfo" ] || fail "no metainfo $metainfo"
# Some of its errors do not yet change its exit status; the text shows them all.
verdict=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate rejects $entry: $verdict"
! grep -E ': (error|warning)' <<<"$verdict" || fail "desktop-file-validate objects to $entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"

# The icon the entry names, at each size with pictures of that size.
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 24 32 48 64 128 256; do
  file=$root/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$file" ] || fail "no icon $file"
  read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$file")
  [ "$width $height" = "$size $size" ] || fail "$file is $width x $height"
done

# The program the entry starts, on an X server of its own, on the local directory so that
# nothing leaves the machine, with %TEMP% in the prefix.
displays=$prefix/display
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$displays" 2>/dev/null &
server=$!
for _ in $(seq 100); do
  [ -s "$displays" ] && break
  sleep 0.1
done
display=$(head -n 1 "$displays")
[ -n "$display" ] || fail "Xvfb did not start"

"$root/bin/radiosift-directory" --port 0 >"$prefix/directory.out" 2>&1 &
directory=$!
for _ in $(seq 100); do
  grep -q '^listening on ' "$prefix/directory.out" && break
  sleep 0.1
done
host=$(sed -n 's/^listening on //p' "$prefix/directory.out")
[ -n "$host" ] || fail "the local directory did not start: $(cat "$prefix/directory.out")"
temp=$prefix/temp
mkdir "$temp"

command=$(sed -n 's/^Exec=//p' "$entry")
log=$prefix/program.log
DISPLAY=:$display QT_QPA_PLATFORM=xcb RADIOSIFT_CLASSIC_HOST=$host TEMP=$temp \
  "$root/bin/$command" >"$log" 2>&1 &
program=$!
# Alt_L and r: Alt+R.
DISPLAY=:$display "$window_input" "$program" key 0xffe9 0x72 || { cat "$log" >&2; fail "no window to type into"; }
for _ in $(seq 200); do
  [ -n "$(find "$temp/.1/TopTen" -name '*.pls' 2>/dev/null)" ] && break
  sleep 0.1
done
[ -n "$(find "$temp/.1/TopTen" -name '*.pls' 2>/dev/null)" ] || { cat "$log" >&2; fail "Alt+R at start-up wrote no playlist"; }
DISPLAY=:$display "$window_input" "$program" || { cat "$log" >&2; fail "no window to close"; }
for _ in $(seq 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "$command still runs after its window was closed"
status=0
wait "$program" || status=$?
program=''
[ "$status" -eq 0 ] || { cat "$log" >&2; fail "$command ended with status $status"; }
echo "installed program started, run with Alt+R ($(find "$temp" -name '*.pls' | wc -l) playlists) and closed; $(find "$root" -type f | wc -l) files installed"
