#!/usr/bin/env bash
# av_sync.sh BUILD [BASELINE_BUILD]: lights against what is heard. The show is played by
# BUILD's runtime (and BASELINE_BUILD's, in the same run) in one private network namespace;
# a node in another, across a virtual cable, receives the frames and records the private
# PulseAudio's null sink. Measured on the sink in low-latency mode and on the sink held at
# 200 ms, and against a bare libpulse stream's own time as a reference (the "reference"
# column: where the listener agrees with the sound server, its offset is 0); prints the
# figures side by side (ms) and keeps them as "sink/build/name value"
# lines in $AV_SYNC_FIGURES when that is set. Needs root; removes everything it made (but
# keeps its work folder, with what was heard and received, when AV_SYNC_KEEP is set).
set -euo pipefail
builds=("$1")
names=(build)
if [[ $# -ge 2 ]]; then
  builds=("$2" "$1")
  names=(baseline build)
fi
tool=$1/bench/av_sync
tag=$$
app=lrs-$tag-a
node=lrs-$tag-n
work=$(mktemp -d)
pids=()
cleanup() {
  set +e
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
  ip netns del "$app" 2>/dev/null
  ip netns del "$node" 2>/dev/null
  if [[ -n ${AV_SYNC_KEEP:-} ]]; then echo "av_sync: kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT

ip netns add "$app"
ip netns add "$node"
ip -n "$app" link set lo up
ip -n "$node" link set lo up
ip -n "$app" link add lr-app type veth peer name lr-node
ip -n "$app" link set lr-node netns "$node"
ip -n "$app" addr add 10.77.0.1/24 dev lr-app
ip -n "$node" addr add 2.0.0.2/8 dev lr-node
ip -n "$app" link set lr-app up
ip -n "$node" link set lr-node up

# A sound server of our own; the desktop's socket is not hidden by a network namespace.
export XDG_RUNTIME_DIR=$work/run
export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse
export PULSE_SERVER=unix:$PULSE_RUNTIME_PATH/native
mkdir -p "$PULSE_RUNTIME_PATH"
ip netns exec "$app" pulseaudio --daemonize=no --exit-idle-time=-1 --system=false -n \
  --load="module-null-sink sink_name=null rate=44100 channels=2 format=s16le" \
  --load=module-native-protocol-unix >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null

# sink_latency: "latency configured" of the null sink, in usec.
sink_latency() {
  pactl list sinks | sed -n 's/.*Latency: \([0-9]*\) usec, configured \([0-9]*\) usec.*/\1 \2/p' | head -n1
}

run_one() { # SINK BUILD NAME [MODE]
  local dir=$work/$1-$3 mode=${4:-drive}
  mkdir -p "$dir"
  ip netns exec "$node" "$tool" listen "$dir" >"$dir/listen.log" 2>&1 &
  local listener=$!
  for _ in $(seq 100); do [[ -e $dir/ready ]] && break; sleep 0.05; done
  ip netns exec "$app" "$2/bench/av_sync" "$mode" "$dir" >"$dir/drive.log" 2>&1 || echo "av_sync: $3 $mode failed: $(cat "$dir/drive.log")" >&2
  touch "$dir/done"
  wait "$listener" || echo "av_sync: listen failed: $(cat "$dir/listen.log")" >&2
}

for sink in low:10 held:200; do
  name=${sink%%:*}
  msec=${sink#*:}
  ip netns exec "$app" pacat --raw --latency-msec="$msec" </dev/zero &
  keeper=$!
  pids+=($keeper)
  # Settled: configured near the keeper's latency and the idle sink's render-ahead drained.
  for _ in $(seq 100); do
    read -r latency configured < <(sink_latency)
    [[ -n ${configured:-} && $configured -le $((msec * 1500)) && $latency -le $((msec * 1500 + 20000)) ]] && break
    sleep 0.1
  done
  sleep 1
  for i in "${!builds[@]}"; do run_one "$name" "${builds[i]}" "${names[i]}"; done
  run_one "$name" "$1" reference reference
  kill "$keeper"
  wait "$keeper" 2>/dev/null || true
  sleep 1
done

python3 - "$work" "${names[@]}" reference <<'PY'
import os, sys
work, names = sys.argv[1], sys.argv[2:]
table = {}
keys = []
for sink in ("low", "held"):
    for n in names:
        path = os.path.join(work, f"{sink}-{n}", "figures")
        if not os.path.exists(path):
            continue
        for line in open(path):
            k, v = line.split()
            if (sink, k) not in keys:
                keys.append((sink, k))
            table[(sink, k, n)] = float(v)
print(f"{'sink':5} {'figure (ms)':32}" + "".join(f"{n:>10}" for n in names))
for sink, k in keys:
    print(f"{sink:5} {k:32}" + "".join(f"{table.get((sink, k, n), float('nan')):>10.1f}" for n in names))
out = os.environ.get("AV_SYNC_FIGURES")
if out:
    with open(out, "w") as f:
        for (sink, k, n), v in table.items():
            f.write(f"{sink}/{n}/{k} {v}\n")
PY
