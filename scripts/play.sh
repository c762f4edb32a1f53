#!/usr/bin/env bash
# Installs what is missing, builds, and starts the local game server, the
# lobby tool and, from the lobby, the table client. Without a display the
# three run under Xvfb and a screenshot of the table is saved. Ctrl-C ends all.
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

pids=()
cleanup() {
  trap - INT TERM EXIT
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup INT TERM EXIT

screenshot=""
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:47
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  mkdir -p screenshots
  screenshot=screenshots/table.png
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

server_log=$(mktemp)
build/tools/dravik-server/dravik-server --port 0 > >(tee "$server_log") &
pids+=($!)
port=""
for _ in $(seq 100); do
  port=$(sed -n 's/^listening on \([0-9]*\)$/\1/p' "$server_log" | head -n 1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the server did not start" >&2; exit 1; }

lobby_log=$(mktemp)
if [ -n "$screenshot" ]; then
  (
    for _ in $(seq 150); do grep -q 'received 0x303' "$lobby_log" && break; sleep 0.1; done
    sleep 1  # let the window repaint after the log-in
    import -window root "$screenshot" && echo "screenshot saved: $screenshot"
  ) &
  pids+=($!)
fi
# The lobby runs in the foreground so that its commands can be typed.
build/tools/dravik-lobby/dravik-lobby --start "$PWD/build/dravik-table" --server-port "$port" | tee "$lobby_log"
