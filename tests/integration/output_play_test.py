#!/usr/bin/env python3
"""Art-Net unicast and sACN at once, from lumenrill-cli play to a node across a virtual cable.

The show plays from the top to its end (--start --exit-at-end) with --artnet unicast and
--sacn multicast on universe 1, priority 150. A peer on the node side (output_peer.py)
answers polls as a node that outputs Art-Net universe 0 and records what arrives, while
tshark captures the cable. Checked:
- every ArtDmx and every sACN data packet carries the show's own output
  (lumenrill-cli eval) at some play position, the frames of both protocols follow the show
  in step, and the lights' last look is the show's end;
- once the node answered, no ArtDmx is broadcast: each goes to the node's address;
- sACN: universe 1, priority 150, source "Lumenrill", sequence numbers counting up, the
  universe discovery packet, three Stream_Terminated packets at the end, nothing after;
- tshark reads every sACN data packet as E1.31, with the same sequence numbers, without a
  malformed packet or an error.

usage: output_play_test.py LUMENRILL_CLI
Needs root (network namespaces), tshark and the private sound server of scripts/test
(PULSE_SERVER). Exit 77 when it cannot run here; 1 instead where the environment is
promised (LUMENRILL_REQUIRE_ENVIRONMENT=1, as under scripts/test).
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from output_show import (finish, PRE_MS, RAMP_END_MS, Cable, environment_problem, make_show, missing_environment, play,
                         sacn_fields)

HERE = os.path.dirname(os.path.abspath(__file__))
failures = []


def check(condition, text):
    if not condition:
        failures.append(text)


def dissect(capture):
    """tshark's reading of every datagram to port 5568: frame, root vector, universe, sequence,
    terminated, malformed and expert severity, as texts."""
    out = subprocess.run(
        ["tshark", "-r", capture, "--enable-heuristic", "acn", "-o", "acn.dmx_enable:TRUE",
         "-Y", "udp.dstport == 5568", "-T", "fields", "-E", "separator=|", "-e", "frame.number",
         "-e", "acn.protocol_id", "-e", "acn.dmx.universe", "-e", "acn.dmx.seq_number",
         "-e", "acn.dmx.option_s", "-e", "_ws.malformed", "-e", "_ws.expert.severity"],
        capture_output=True, text=True)
    check(out.returncode == 0, f"tshark ended with {out.returncode}: {out.stderr}")
    return [line.split("|") for line in out.stdout.splitlines()]


def main():
    cli = sys.argv[1]
    problem = missing_environment() or (None if shutil.which("tshark") else "needs tshark")
    if problem:
        return environment_problem(problem)
    work = tempfile.mkdtemp(prefix="lumenrill-output-")
    expected, end_look = make_show(cli, work)
    capture = os.path.join(work, "cable.pcapng")
    with Cable("out") as cable:
        shark = subprocess.Popen(["ip", "netns", "exec", cable.node, "tshark", "-q", "-i", "lr-node", "-w", capture],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        record = os.path.join(work, "peer.json")
        peer = subprocess.Popen(["ip", "netns", "exec", cable.node, sys.executable,
                                 os.path.join(HERE, "output_peer.py"), "2.0.0.2", "12", record])
        time.sleep(2.0)  # tshark and the peer listen
        player = play(cli, cable, work, "--artnet", "unicast", "--sacn", "multicast", "--sacn-universe", "1",
                      "--sacn-priority", "150")
        check(player.returncode == 0, f"play ended with {player.returncode}: {player.stderr}")
        peer.wait(timeout=30)
        time.sleep(0.5)
        shark.send_signal(signal.SIGINT)
        shark.wait(timeout=20)
    with open(record) as f:
        heard = json.load(f)

    # Art-Net: the show's output, broadcast only until the node answered.
    artnet = heard["artnet"]
    check(len(artnet) > 100, f"only {len(artnet)} ArtDmx frames")
    unicast_from = next((i for i, f in enumerate(artnet) if f[1] == "2.0.0.2"), None)
    check(unicast_from is not None, "no ArtDmx reached the node's own address")
    if unicast_from is not None:
        late = [f for f in artnet[unicast_from:] if f[1] != "2.0.0.2"]
        check(not late, f"{len(late)} ArtDmx sent to {late[0][1] if late else ''} after the node answered")
        print(f"ArtDmx: {unicast_from} broadcast before the node answered, {len(artnet) - unicast_from} unicast")
    for f in artnet:
        check(f[2] == 0 and tuple(f[3]) in expected, f"ArtDmx at {f[0]:.3f}s is no output of the show: {f[3][:6]}")

    # sACN: data packets in order, the discovery packet, the end.
    packets = [(t, to, sacn_fields(h)) for t, to, h in heard["sacn"]]
    data = [(t, to, p) for t, to, p in packets if p]
    discovery = [(t, to) for t, to, p in packets if not p]
    check(len(data) > 100, f"only {len(data)} sACN data packets")
    check(len(discovery) >= 1 and all(to == "239.255.250.214" for _, to in discovery),
          f"universe discovery: {discovery}")
    for i, (t, to, p) in enumerate(data):
        check(to == "239.255.0.1" and p["universe"] == 1 and p["priority"] == 150 and p["name"] == "Lumenrill"
              and p["start"] == 0, f"sACN packet {i}: {to} {p}")
        check(p["seq"] == data[0][2]["seq"] + i & 0xFF, f"sACN packet {i}: sequence {p['seq']}")
        check(tuple(p["slots"]) in expected, f"sACN at {t:.3f}s is no output of the show: {p['slots'][:6]}")
    check(len({p["cid"] for _, _, p in data}) == 1, "the CID changes")
    ends = [p for _, _, p in data if p["options"] & 0x40]
    check(len(ends) == 3 and all(p["options"] & 0x40 for _, _, p in data[-3:]),
          f"{len(ends)} Stream_Terminated packets, not the last three")
    check(all(tuple(p["slots"]) == end_look for p in ends), "the terminated packets do not hold the last look")

    # Both protocols carry the same frames in the same order.
    def distinct(frames):
        out = []
        for f in frames:
            if not out or out[-1] != f:
                out.append(f)
        return out
    a = distinct([tuple(f[3]) for f in artnet])
    s = distinct([tuple(p["slots"]) for _, _, p in data])
    check(a == s, f"the two protocols differ: {len(a)} Art-Net looks, {len(s)} sACN looks")
    check(a and a[-1] == end_look, "the show's last look did not reach the lights")
    shown = [min(expected[f]) for f in a]
    check(shown == sorted(shown), "the show runs backwards")
    check(shown and shown[0] <= -PRE_MS + 100 and shown[-1] >= RAMP_END_MS - 100,
          f"from {shown[0] if shown else None} to {shown[-1] if shown else None} ms")

    # Wireshark's own dissector reads every data packet as E1.31 without a problem. The
    # universe discovery packet (root vector 8) is dissected only by tshark versions that
    # know E1.31's extended packets; older ones (Debian 12's 4.0) leave it as plain data.
    rows = dissect(capture)
    check(len(rows) == len(heard["sacn"]), f"tshark saw {len(rows)} sACN datagrams, the peer {len(heard['sacn'])}")
    for frame, protocol, universe, seq, terminated, malformed, severity in rows:
        check(protocol in ("4", "8", ""), f"frame {frame}: root vector {protocol!r}")
        check(not malformed and severity in ("", "chat", "note"), f"frame {frame}: malformed or {severity}")
    data_rows = [r for r in rows if r[1] == "4"]
    check([(int(r[3]), r[2], r[4]) for r in data_rows] ==
          [(p["seq"], "1", "1" if p["options"] & 0x40 else "0") for _, _, p in data],
          "tshark reads other sequence numbers, universes or terminations")
    check(len(rows) - len(data_rows) == len(discovery), "tshark took a discovery packet for something else")
    print(f"{len(artnet)} ArtDmx, {len(data)} sACN data and {len(discovery)} discovery packets checked; "
          f"tshark dissected {len(rows)}; {len(failures)} failures")

    return finish(failures, work)


if __name__ == "__main__":
    sys.exit(main())
