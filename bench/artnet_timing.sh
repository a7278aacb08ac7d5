#!/usr/bin/env bash
# artnet_timing.sh BUILD_DIR [SECONDS] [BASELINE_BUILD_DIR]: measures the worker's frame
# timing as a node on the far side of a virtual cable receives it (SECONDS defaults to 61,
# enough for 3,000 frame intervals): ArtDmx and, sent at the same time, sACN multicast on
# universe 1. With a baseline build (one without sACN) its ArtDmx timing is measured first
# in the same run, by the same receiver. Last, the build as an ordinary user (no right to
# add its 2.x.x.x address): ArtDmx to the LAN's own broadcast address. Everything runs in two private network namespaces
# made here and removed at the end; needs root.
set -euo pipefail
build=$1
seconds=${2:-61}
baseline=${3:-}
tag=$$
app=lrb-$tag-a
node=lrb-$tag-n
pids=()
cleanup() {
  set +e
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  ip netns del "$app" 2>/dev/null
  ip netns del "$node" 2>/dev/null
}
trap cleanup EXIT

ip netns add "$app"
ip netns add "$node"
ip -n "$app" link set lo up
ip -n "$node" link set lo up
ip -n "$app" link add lr-app type veth peer name lr-node
ip -n "$app" link set lr-node netns "$node"
ip -n "$app" addr add 198.18.0.1/15 brd + dev lr-app
ip -n "$node" addr add 2.0.0.2/8 dev lr-node
ip -n "$node" addr add 198.18.0.2/15 brd + dev lr-node
ip -n "$app" link set lr-app up
ip -n "$node" link set lr-node up

# measure LABEL SENDER [sacn|user]: the receivers start, the sender runs, both report.
measure() {
  local label=$1 sender=$2 protocol=${3:-} user=()
  if [[ $protocol == user ]]; then
    protocol=
    user=(setpriv --inh-caps=-all --bounding-set=-all)
  fi
  echo "== $label"
  pids=()
  ip netns exec "$node" "$build/bench/artnet_timing" receive "$seconds" &
  pids+=($!)
  if [[ -n $protocol ]]; then
    ip netns exec "$node" "$build/bench/artnet_timing" receive "$seconds" sacn &
    pids+=($!)
  fi
  sleep 0.5
  ip netns exec "$app" "${user[@]}" "$sender/bench/artnet_timing" send "$seconds" $protocol
  local status=0
  for pid in "${pids[@]}"; do wait "$pid" || status=$?; done
  pids=()
  return $status
}

status=0
if [[ -n $baseline ]]; then
  measure "baseline $baseline: Art-Net" "$baseline" || status=$?
fi
measure "$build: Art-Net and sACN at once" "$build" sacn || status=$?
measure "$build as an ordinary user: Art-Net to the LAN's broadcast" "$build" user || status=$?
exit $status
