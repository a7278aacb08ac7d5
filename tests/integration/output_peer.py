#!/usr/bin/env python3
"""A lighting node for the output test, on the node side of a virtual cable.

Answers every ArtPoll with an ArtPollReply (2.0.0.2, "PeerNode", one DMX output port on
Art-Net universe 0), as a node does, and records every ArtDmx and every sACN (E1.31)
datagram that arrives, with the moment it arrived and the address it was sent to (so a
broadcast can be told from a unicast). sACN is heard on 239.255.0.1 (universe 1) and on
the universe discovery address 239.255.250.214, port 5568.

Writes one JSON object: {"artnet": [[t, to, universe, [slots 1..24]], ...],
"sacn": [[t, to, hex], ...]}, t in seconds since the peer started.

usage: output_peer.py NODE_ADDR DURATION_S OUT.json
"""
import json
import select
import socket
import struct
import sys
import time

IP_PKTINFO = 8


def poll_reply(address):
    b = bytearray(239)
    b[0:8] = b"Art-Net\0"
    b[8:10] = b"\x00\x21"
    b[10:14] = socket.inet_aton(address)
    b[14:16] = b"\x36\x19"
    b[26:26 + 8] = b"PeerNode"
    b[44:44 + 13] = b"Output tester"
    b[173] = 1      # one port
    b[174] = 0x80   # it outputs DMX512
    b[190] = 0x00   # on universe 0
    return bytes(b)


def receiver(port, groups, node):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    s.setsockopt(socket.IPPROTO_IP, IP_PKTINFO, 1)
    s.bind(("0.0.0.0", port))
    for group in groups:
        s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP,
                     socket.inet_aton(group) + socket.inet_aton(node))
    return s


def receive(s):
    """One datagram, the address it was sent to, and where from."""
    data, ancillary, _, sender = s.recvmsg(2048, socket.CMSG_SPACE(12))
    to = None
    for level, kind, value in ancillary:
        if level == socket.IPPROTO_IP and kind == IP_PKTINFO:
            to = socket.inet_ntoa(value[8:12])  # struct in_pktinfo: ifindex, spec_dst, addr
    return data, to, sender


def main():
    node, duration, out = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    artnet = receiver(6454, [], node)
    sacn = receiver(5568, ["239.255.0.1", "239.255.250.214"], node)
    reply = poll_reply(node)
    start = time.monotonic()
    dmx, e131 = [], []
    while time.monotonic() - start < duration:
        ready, _, _ = select.select([artnet, sacn], [], [], 0.01)
        now = time.monotonic() - start
        for s in ready:
            data, to, sender = receive(s)
            if s is sacn:
                e131.append([now, to, data.hex()])
            elif data[:8] == b"Art-Net\0" and data[8:10] == b"\x00\x20":
                artnet.sendto(reply, ("2.255.255.255", 6454))
            elif data[:8] == b"Art-Net\0" and data[8:10] == b"\x00\x50" and len(data) >= 18 + 24:
                dmx.append([now, to, data[14] | data[15] << 8, list(data[18:18 + 24])])
    with open(out, "w") as f:
        json.dump({"artnet": dmx, "sacn": e131}, f)


if __name__ == "__main__":
    main()
