#!/usr/bin/env python3
"""A remote controller and lighting node for the headless player test.

Runs on the node side of a virtual cable. It sends OSC bundles to the player at given
moments and records every ArtDmx packet that arrives on UDP 6454, with the moment it
arrived. Writes one JSON object: {"sent": [[t, label], ...], "dmx": [[t, universe,
[slot values 1..24]], ...]} where t is seconds since the peer started.

usage: show_peer.py TARGET_ADDR OSC_PORT DURATION_S OUT.json ACTION...
ACTION is T:KIND[:ARG], KIND one of play, stop, pause, next, wrongcase, short.
"""
import json
import select
import socket
import struct
import sys
import time


def osc_string(text):
    raw = text.encode() + b"\0"
    return raw + bytes(-len(raw) % 4)


def message(address, strings=()):
    tags = "," + "s" * len(strings)
    return osc_string(address) + osc_string(tags) + b"".join(osc_string(s) for s in strings)


def bundle(msg):
    return osc_string("#bundle") + struct.pack(">II", 0, 1) + struct.pack(">I", len(msg)) + msg


def datagram(kind, arg):
    args = [arg] if arg else []
    if kind in ("play", "stop", "pause", "next"):
        return bundle(message("/lumenrill/" + kind, args))
    if kind == "wrongcase":
        return bundle(message("/Lumenrill/play"))
    if kind == "short":  # 23 bytes: too small
        return bundle(message("/lumenrill/play"))[:23]
    raise SystemExit("unknown action " + kind)


def main():
    target, port, duration, out = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
    actions = []
    for action in sys.argv[5:]:
        parts = action.split(":", 2)
        actions.append((float(parts[0]), parts[1], parts[2] if len(parts) > 2 else ""))
    actions.sort()

    dmx = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    dmx.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    dmx.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    dmx.bind(("0.0.0.0", 6454))
    osc = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)

    start = time.monotonic()
    sent, frames = [], []
    while True:
        now = time.monotonic() - start
        if now >= duration:
            break
        while actions and actions[0][0] <= now:
            at, kind, arg = actions.pop(0)
            osc.sendto(datagram(kind, arg), (target, port))
            sent.append([time.monotonic() - start, kind + (" " + arg if arg else "")])
        wait = min(0.005, duration - now)
        if actions:
            wait = min(wait, max(0.0, actions[0][0] - now))
        ready, _, _ = select.select([dmx], [], [], wait)
        if ready:
            data = dmx.recv(2048)
            if len(data) >= 18 + 24 and data[:8] == b"Art-Net\0" and data[8:10] == b"\x00\x50":
                frames.append([time.monotonic() - start, data[14] | data[15] << 8, list(data[18:18 + 24])])
    with open(out, "w") as f:
        json.dump({"sent": sent, "dmx": frames}, f)


if __name__ == "__main__":
    main()
