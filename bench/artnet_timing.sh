#!/usr/bin/env bash
# artnet_timing.sh BUILD_DIR [SECONDS]: measures the worker's frame timing as a node on
# the far side of a virtual cable receives it (SECONDS defaults to 61, enough for 3,000
# frame intervals). Everything runs in two private network
# namespaces made here and removed at the end; needs root.
set -euo pipefail
build=$1
seconds=${2:-61}
tag=$$
app=lrb-$tag-a
node=lrb-$tag-n
pid=
cleanup() {
  set +e
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
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
ip -n "$app" addr add 10.77.0.1/24 dev lr-app
ip -n "$node" addr add 2.0.0.2/8 dev lr-node
ip -n "$app" link set lr-app up
ip -n "$node" link set lr-node up

ip netns exec "$node" "$build/bench/artnet_timing" receive "$seconds" &
pid=$!
sleep 0.5
ip netns exec "$app" "$build/bench/artnet_timing" send "$seconds"
status=0
wait "$pid" || status=$?
pid=
exit $status
