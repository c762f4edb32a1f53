#!/usr/bin/env bash
# Installs what is missing, builds, and starts the local game server, the
# lobby tool and, from the lobby, the table client. The server logs to a file.
# Without a display the three run under Xvfb and a screenshot of the table is
# saved once the first hand is dealt. Ctrl-C ends all three.
#
# The lobby tool reads commands on standard input: query, leave,
# force-leave, relogin, close, minimize, restore, send <msg> [w] [l].
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j "$(nproc)" --target dravik-table dravik-server dravik-lobby

# The sound files live in common/ beside the program folder build/, where the
# client looks for "\..\common\music\" and "\..\common\mj\".
if [ ! -f common/music/majiang.wav ] || [ -z "$(ls -A common/mj 2>/dev/null)" ]; then
  cmake --build build -j "$(nproc)" --target dravik-sounds
  build/tools/dravik-sounds/dravik-sounds --out "$PWD/build/../common" --voices
fi

# Waits until a line of the file matches the pattern; fails after the seconds given.
wait_for_line() {
  local file=$1 pattern=$2 deadline=$((SECONDS + $3))
  until grep -qE "$pattern" "$file" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Xvfb and the server run in sessions of their own, out of reach of the
# terminal's Ctrl-C: they are stopped last, once the lobby and the client it
# started have closed down.
pids=()
private_runtime=""
cleanup() {
  trap - INT TERM EXIT
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ -n "$private_runtime" ]; then rm -rf "$private_runtime"; fi
}
trap cleanup INT TERM EXIT

# Qt wants a runtime folder of the user's own, mode 0700, and warns without
# one. A desktop session has it (its sound server lives there too, so it is
# kept); a bare terminal gets a private one for this run.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ] || [ ! -O "$XDG_RUNTIME_DIR" ] ||
   [ "$(stat -c %a "$XDG_RUNTIME_DIR")" != 700 ]; then
  private_runtime=$(mktemp -d)
  export XDG_RUNTIME_DIR="$private_runtime"
fi

server_log="$PWD/build/dravik-server.log"
screenshot=""
echo "server log (every packet): $server_log"
if [ -z "${DISPLAY:-}" ]; then
  # Xvfb picks a free display and writes its number once it accepts clients.
  display_file=$(mktemp)
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  pids+=($!)
  wait_for_line "$display_file" '^[0-9]+$' 10 || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$display_file")"
  mkdir -p screenshots
  screenshot=screenshots/table.png
  echo "no display: running under Xvfb on $DISPLAY; $screenshot is saved once the first hand is dealt"
fi
echo "type lobby commands here: query, leave, force-leave, relogin, close, minimize, restore, send <msg> [wParam] [lParam]"
echo "to end: Ctrl-C ends the client, the lobby and the server ('close' closes only the table window)"

# Emptied first, so that no line of an earlier run is taken for this one's.
# The table is set for a person: 15 s a turn, no limit on the turns left to
# run out (so the boss key comes only when F1 is pressed), the computers a
# second and a half apart, and the account "watcher" may watch as a spectator.
: >"$server_log"
setsid build/tools/dravik-server/dravik-server --port 0 --relay-port 0 --turn-seconds 15 --timeout-limit 0 \
  --move-ms 1500 --watchers watcher >>"$server_log" &
pids+=($!)
for line in '^listening on [0-9]+$' '^relay listening on [0-9]+$'; do
  wait_for_line "$server_log" "$line" 10 || { echo "the server did not start" >&2; exit 1; }
done
port=$(sed -n 's/^listening on \([0-9]*\)$/\1/p' "$server_log" | head -n 1)
# The client finds the server's video relay here instead of on port 8888.
export DRAVIK_RELAY_PORT=$(sed -n 's/^relay listening on \([0-9]*\)$/\1/p' "$server_log" | head -n 1)
echo "server port: $port, video relay port: $DRAVIK_RELAY_PORT (the first two lines of $server_log)"
echo "more players, a spectator, robots: see README.md; in another terminal first: export DISPLAY=$DISPLAY"

if [ -n "$screenshot" ]; then
  (
    # The server draws the hand's first tile after the dealer's discard, and
    # lets its computers move only once the client has worked through the deal:
    # by then the dealt hand is on the table.
    if wait_for_line "$server_log" '^draw ' 120; then
      import -window root "$screenshot" && echo "screenshot saved: $screenshot"
    else
      echo "no hand was dealt within 120 s: no screenshot" >&2
    fi
  ) &
  pids+=($!)
fi
# The lobby runs in the foreground so that its commands can be typed.
build/tools/dravik-lobby/dravik-lobby --start "$PWD/build/dravik-table" --server-port "$port"
