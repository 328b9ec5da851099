#!/usr/bin/env bash
# The genre playlists of radiosift-harvest as players and media servers read them, from a live
# harvest of the local directory: the M3U read as IPTV clients read it (attributes, then the name
# after the comma), the XSPF with Python's XML parser against the elements XSPF requires, and the
# M3U opened by mpv where it is installed (with no network: it only counts and names entries).
#
#   genre_playlists_test.sh RADIOSIFT_DIRECTORY RADIOSIFT_HARVEST
set -euo pipefail
directory=$1
harvest=$2
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; rm -rf "$work"' EXIT

"$directory" --port 0 --stations-per-genre 60 >"$work/server.log" &
server=$!
for _ in $(seq 100); do grep -q listening "$work/server.log" && break; sleep 0.1; done
base="http://$(sed -n 's/^listening on //p' "$work/server.log")"

"$harvest" --directory radio-browser --server "$base" --genre Jazz --genre Rock --count 100 \
  --codec all --min-bitrate 0 --format m3u --genre-playlist m3u --genre-playlist xspf \
  --quiet --output "$work/lib"
curl -s --max-time 10 "$base/json/stations/search?limit=100000" >"$work/stations.json"

python3 - "$work" <<'PY'
import json, pathlib, re, sys, urllib.parse, xml.etree.ElementTree as ET

work = pathlib.Path(sys.argv[1])
by_uuid = {s["stationuuid"]: s for s in json.loads((work / "stations.json").read_text(encoding="utf-8"))}
web = lambda a: a.lower().startswith(("http://", "https://"))
failures = []

def check(ok, what):
    if not ok:
        failures.append(what)

def read_m3u(path):
    """(attributes, title, address) per entry: attributes up to the comma after them."""
    lines = path.read_bytes().decode("utf-8").split("\r\n")
    check(lines[0] == "#EXTM3U", f"{path}: first line {lines[0]!r}")
    entries = []
    for info, address in zip(lines[1::2], lines[2::2]):
        m = re.match(r'#EXTINF:-1((?: [a-z-]+="[^"]*")*),(.*)$', info)
        check(m is not None, f"{path}: {info!r}")
        if m:
            entries.append((dict(re.findall(r' ([a-z-]+)="([^"]*)"', m.group(1))), m.group(2), address))
    return entries

def web_or_none(address):
    return address if web(address) else None

def unquoted(address):
    return urllib.parse.unquote(address) if address else None

for genre in ("Jazz", "Rock"):
    folder = work / "lib" / genre
    # The folder's record names each file's station, in the order the run wrote them.
    written = json.loads((folder / ".radiosift-record.json").read_text(encoding="utf-8"))["files"]
    entries = read_m3u(work / "lib" / f"{genre}.m3u")
    check(len(written) >= 40 and len(written) == len(list(folder.glob("*.m3u"))), f"{genre}: files")
    check(len(entries) == len(written), f"{genre}.m3u: {len(entries)} entries, {len(written)} files")
    ns = {"x": "http://xspf.org/ns/0/"}
    root = ET.parse(work / "lib" / f"{genre}.xspf").getroot()
    check(root.tag == "{http://xspf.org/ns/0/}playlist" and root.get("version") == "1", "root")
    lists = root.findall("x:trackList", ns)
    check(len(lists) == 1, f"{genre}.xspf: {len(lists)} trackList")
    tracks = lists[0].findall("x:track", ns)
    check(len(tracks) == len(written), f"{genre}.xspf: {len(tracks)} tracks")
    for file, (attributes, title, address), track in zip(written, entries, tracks):
        station = by_uuid[file["station"]]
        own = (folder / file["file"]).read_bytes().decode("utf-8").split("\r\n")
        check([title, address] == [own[1].removeprefix("#EXTINF:-1,"), own[2]], f"{title}: entry")
        check(attributes.get("group-title") == genre, f"{title}: group {attributes}")
        logo = web_or_none(station["favicon"])
        check(unquoted(attributes.get("tvg-logo")) == logo, f"{title}: logo {attributes}")
        check([e.text for e in track.findall("x:location", ns)] == [address], f"{title}: location")
        check(track.findtext("x:title", namespaces=ns) == title, f"{title}: xspf title")
        check(unquoted(track.findtext("x:image", namespaces=ns)) == logo, f"{title}: image")
        check(track.findtext("x:info", namespaces=ns) == web_or_none(station["homepage"]), "info")
    if genre == "Jazz":
        check('Jazz, Blues & "Soul" Ночь' in [t for _, t, _ in entries], "Jazz: the name with a comma")

for f in failures[:20]:
    print("FAILED:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
PY

if ! command -v mpv >/dev/null; then
  echo "mpv is not installed: the playlists were not opened in a player"
  exit 0
fi
# mpv without any network: it reads the list, and every entry fails at once. mpv reads M3U lists
# only ("Failed to recognize file format" for XSPF), so the XSPF is left to the parser above.
cat >"$work/count.lua" <<'LUA'
mp.register_event("start-file", function()
  -- The list itself opens first; its entries take its place in the playlist.
  local path = mp.get_property("path") or ""
  if path:match("%.m3u$") then return end
  local n = mp.get_property_number("playlist-count")
  for i = 0, n - 1 do print("entry\t" .. (mp.get_property("playlist/" .. i .. "/title") or "")) end
  mp.command("quit")
end)
LUA
for genre in Jazz Rock; do
  names=$(timeout 30 unshare -n mpv --no-config --idle=no --vo=null --ao=null \
    --msg-level=all=no,count=info --script="$work/count.lua" "$work/lib/$genre.m3u" 2>&1 |
    sed -n 's/^.*entry\t\(.*\S\)\s*$/\1/p')
  count=$(printf '%s\n' "$names" | grep -c .)
  files=$(find "$work/lib/$genre" -name '*.m3u' | wc -l)
  if [ "$count" -ne "$files" ]; then
    echo "FAILED: mpv reads $count entries from $genre.m3u, $files stations were written" >&2
    exit 1
  fi
  if [ $genre = Jazz ] && ! grep -qxF 'Jazz, Blues & "Soul" Ночь' <<<"$names"; then
    echo "FAILED: mpv does not name the station with a comma whole" >&2
    exit 1
  fi
done
