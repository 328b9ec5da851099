#!/usr/bin/env bash
# The program's command line, run as a user would run it: the exit status and the first line of
# what it prints, for --help and --version without a display and into a full disk, arguments it
# refuses, no display at all, a display that is not there, and the offscreen platform that tests
# and CI use.
#
#   command_line_test.sh PROGRAM VERSION
set -uo pipefail
program=$1
version=$2
harvest=${3:-}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failures=0

# status | environment beyond PATH | arguments | first line of stdout (status 0) or stderr
cases=(
  "0||--help|Usage: radiosift [--help | --version]"
  "0||-h --version|Usage: radiosift [--help | --version]"
  "0||--version|radiosift $version"
  "2||--verbose|radiosift: unknown argument '--verbose' (radiosift --help lists the options)"
  "2|DISPLAY=:0|--version stations.pls|radiosift: unknown argument 'stations.pls' (radiosift --help lists the options)"
  "1|||radiosift: no display to open the window on (DISPLAY unset, WAYLAND_DISPLAY unset)"
  "1|QT_QPA_PLATFORM=xcb DISPLAY=:9999||radiosift: no display to open the window on (DISPLAY=:9999, WAYLAND_DISPLAY unset)"
  "1|QT_QPA_PLATFORM=wayland||radiosift: no display to open the window on (DISPLAY unset, WAYLAND_DISPLAY unset)"
  # Still running when timeout ends it: the window opened on the offscreen platform.
  "124|QT_QPA_PLATFORM=offscreen RADIOSIFT_CLASSIC_HOST=127.0.0.1:1||"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r want_status variables arguments want_line <<<"$entry"
  # shellcheck disable=SC2086  # the fields are lists of words
  env -i PATH="$PATH" ASAN_OPTIONS=detect_leaks=0 $variables \
    timeout 5 "$program" $arguments >"$out" 2>"$err"
  status=$?
  if [ "$status" -eq 0 ]; then line=$(head -n 1 "$out"); else line=$(head -n 1 "$err"); fi
  ok=1
  [ "$status" = "$want_status" ] || ok=0
  [ -z "$want_line" ] || [ "$line" = "$want_line" ] || ok=0
  # A refusal or a missing display says so in one line and nothing else.
  case $status in 1 | 2) [ "$(wc -l <"$err")" -eq 1 ] || ok=0 ;; esac
  if [ "$ok" -eq 0 ]; then
    echo "FAILED: [$variables] radiosift $arguments: status $status (want $want_status), first line:" >&2
    echo "  '$line'" >&2
    echo "  want '$want_line'; stderr:" >&2
    sed 's/^/  | /' "$err" >&2
    failures=$((failures + 1))
  fi
done
# Text that cannot be written (a full disk) is a failure, said in one line.
full_disk_cases=("$program --help" "$program --version")
[ -n "$harvest" ] && full_disk_cases+=("$harvest --help" "$harvest --version" "$harvest --list-genres")
for command in "${full_disk_cases[@]}"; do
  name=$(basename "${command%% *}")
  env -i PATH="$PATH" ASAN_OPTIONS=detect_leaks=0 timeout 5 $command >/dev/full 2>"$err"
  status=$?
  if [ "$status" -ne 1 ] || [ "$(cat "$err")" != "$name: cannot write to standard output: No space left on device" ]; then
    echo "FAILED: $name ${command#* } >/dev/full: status $status (want 1), stderr:" >&2
    sed 's/^/  | /' "$err" >&2
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "$((${#cases[@]} + ${#full_disk_cases[@]})) command lines as expected"
exit $((failures > 0))
