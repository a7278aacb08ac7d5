#!/usr/bin/env bash
# osc_flood.sh BUILD_DIR [SECONDS] [RATE] [cli|window]: the frame timing of lumenrill-cli
# play as a node sees it, with no OSC, beside a flood of commands, of status requests and of
# plays at a time (RATE datagrams a second, default 1000), SECONDS each (default 20), in one
# run. With "window" the player is the window's OSC side on a Qt event loop
# (bench/osc_event_loop), which prints its event loop's stalls in each phase as well. The
# player runs a show whose output changes every frame, in one private network namespace
# with a private PulseAudio null sink; the node and the flood (bench/osc_flood) in another,
# across a virtual cable. Needs root; removes everything it made.
set -euo pipefail
build=$1
seconds=${2:-20}
rate=${3:-1000}
mode=${4:-cli}
tag=$$
app=lrf-$tag-a
node=lrf-$tag-n
work=$(mktemp -d)
pids=()
cleanup() {
  set +e
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
  ip netns del "$app" 2>/dev/null
  ip netns del "$node" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$app"
ip netns add "$node"
ip -n "$app" link set lo up
ip -n "$node" link set lo up
ip -n "$app" link add lr-app type veth peer name lr-node
ip -n "$app" link set lr-node netns "$node"
ip -n "$app" addr add 2.0.0.1/8 dev lr-app
ip -n "$node" addr add 2.0.0.2/8 dev lr-node
ip -n "$app" link set lr-app up
ip -n "$node" link set lr-node up

# A sound server of our own; the desktop's socket is not hidden by a network namespace.
export XDG_RUNTIME_DIR=$work/run
export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse
export PULSE_SERVER=unix:$PULSE_RUNTIME_PATH/native
mkdir -p "$PULSE_RUNTIME_PATH"
ip netns exec "$app" pulseaudio --daemonize=no --exit-idle-time=-1 --system=false -n \
  --load="module-null-sink sink_name=null" --load=module-native-protocol-unix >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
ip netns exec "$app" pacat --raw --latency-msec=10 </dev/zero &
pids+=($!)
sleep 3

# Silence as long as the run, and three lines of steps 20, 30 and 50 ms apart that swing
# between dark and full: no two frames in a row carry the same values.
length=$((4 * seconds + 10))
python3 - "$work" "$length" <<'PY'
import json, struct, sys, wave
work, length = sys.argv[1], int(sys.argv[2])
with wave.open(work + "/quiet.wav", "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100)
    w.writeframes(b"\0" * (44100 * 4 * length))
def swing(step_ms, colour):
    return [{"time": t, "color": colour if (t // step_ms) % 2 else "#000000"} for t in range(0, length * 1000, step_ms)]
show = {"title": "flood", "soundFile": work + "/quiet.wav", "prePlayTime": 0, "postPlayTime": 0,
        "lines": [swing(20, "#FF0000"), swing(30, "#00FF00"), swing(50, "#0000FF"), [], [], [], [], []]}
json.dump(show, open(work + "/show.json", "w"))
PY
(cd "$work" && "$build/src/cli/lumenrill-cli" import show.json show.PRJ)

if [[ $mode == window ]]; then
  (cd "$work" && exec ip netns exec "$app" "$build/bench/osc_event_loop" show.PRJ "$seconds") >"$work/play.log" 2>&1 &
else
  ip netns exec "$app" "$build/src/cli/lumenrill-cli" play "$work/show.PRJ" --start --osc-port 9901 >"$work/play.log" 2>&1 &
fi
player=$!
pids+=($player)
sleep 2
ip netns exec "$node" "$build/bench/osc_flood" 2.0.0.1 9901 "$seconds" "$rate"
if [[ $mode == window ]]; then
  wait "$player" || true
  cat "$work/play.log"
fi
