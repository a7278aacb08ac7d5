#!/usr/bin/env python3
"""When lumenrill-cli play sends sACN (E1.31) data packets, read from a capture of the cable.

The show jumps from look to look and holds most for 2.5 s, with one fade between two
holds; it plays from the top to its end as an ordinary user with --artnet off --sacn
multicast, on the benchmarking range (198.18.0.1/15 to 198.18.0.2/15), while tshark
captures the node's end of the cable. From the packets' times:
- the packet with new data and the next three go out on consecutive frames (about 20 ms
  apart; so do the packets of a fade, whose data changes every frame);
- after those three repeats the unchanged data is held back: the next unchanged packet is a
  keep-alive 0.8 to 1.0 s later, and so is each one after it, never later;
- every packet carries the show's own output (lumenrill-cli eval), and the stream ends with
  exactly three Stream_Terminated packets holding the show's last look.

usage: sacn_timing_test.py LUMENRILL_CLI
Needs root (network namespaces), tshark and the private sound server of scripts/test.
Exit 77 when it cannot run here; 1 instead where the environment is promised
(LUMENRILL_REQUIRE_ENVIRONMENT=1).
"""
import os
import sys

from output_show import (finish, Cable, Capture, datagrams, environment_problem, import_show, missing_environment,
                         missing_tools, missing_unprivileged_user, play, sacn_fields, work_folder)

APP, NODE = "198.18.0.1", "198.18.0.2"
PRE_MS, SOUND_MS, POST_MS = 500, 7000, 1500
# Line 1: jumps at 0 and 2500 ms, a fade from 5000 to 6000 ms, a hold to the end at 8500 ms.
LINE = [(-PRE_MS, "#101010"), (-1, "#101010"), (0, "#FF0000"), (2499, "#FF0000"), (2500, "#0000FF"),
        (5000, "#0000FF"), (6000, "#00FF00")]
HELD_MS = [-250, 1250, 3750, 7000]
# How far a packet on the next frame that ran may be from the last one: on a loaded machine
# (the sanitizer builds, tests side by side) a frame comes late now and then and the one
# after it on time, or an overrun skips a slot; copies sent at once, in one frame, stay
# outside.
NEXT_FRAME_S = (0.002, 0.1)
KEEP_ALIVE_S = (0.8, 1.0)
# The capture's times against the keep-alive bounds: a keep-alive leaves on its frame, which
# may come late.
SLACK_S = 0.030


def timing_problems(data):
    """What is wrong with the times of the data packets [(t, fields)] before the terminated ones."""
    problems = []
    since_change = 0  # packets sent since the data last changed
    for i in range(1, len(data)):
        (t0, a), (t1, b) = data[i - 1], data[i]
        gap, changed = t1 - t0, a["slots"] != b["slots"]
        if since_change < 3:
            if not NEXT_FRAME_S[0] <= gap <= NEXT_FRAME_S[1]:
                problems.append(f"packet {i}: {gap * 1000:.0f} ms after the last, {since_change} after a change; "
                                "not on the next frame")
        elif not changed and not KEEP_ALIVE_S[0] - SLACK_S <= gap <= KEEP_ALIVE_S[1] + SLACK_S:
            problems.append(f"packet {i}: unchanged data {gap * 1000:.0f} ms after the last, not a keep-alive")
        elif gap > KEEP_ALIVE_S[1] + SLACK_S:
            problems.append(f"packet {i}: new data {gap * 1000:.0f} ms after the last; a keep-alive is missing")
        since_change = 0 if changed else since_change + 1
    return problems


def main():
    cli = sys.argv[1]
    problem = missing_environment() or missing_tools("tshark") or missing_unprivileged_user()
    if problem:
        return environment_problem(problem)
    work = work_folder("lumenrill-sacn-timing-")
    expected, end_look = import_show(cli, work, [[{"time": t, "color": c} for t, c in LINE]], PRE_MS, SOUND_MS,
                                     POST_MS)
    capture = os.path.join(work, "cable.pcapng")
    failures = []
    with Cable("sacn", app=APP + "/15", node=NODE + "/15") as cable, Capture(cable, capture):
        player = play(cli, cable, work, "--artnet", "off", "--sacn", "multicast", "--sacn-universe", "1",
                      unprivileged=True)
    if player.returncode != 0:
        failures.append(f"play ended with {player.returncode}: {player.stderr[-2000:]}")

    packets = [(t, sacn_fields(payload.hex())) for t, src, _, payload in datagrams(capture, 5568) if src == APP]
    data = [(t, p) for t, p in packets if p]
    live = [(t, p) for t, p in data if not p["options"] & 0x40]
    ends = [(t, p) for t, p in data if p["options"] & 0x40]
    strange = [p["slots"][:6] for _, p in data if tuple(p["slots"]) not in expected]
    if strange:
        failures.append(f"{len(strange)} packets are no output of the show, first {strange[0]}")
    looks = [tuple(p["slots"]) for i, (_, p) in enumerate(live) if i == 0 or p["slots"] != live[i - 1][1]["slots"]]
    look_at = {t: look for look, times in expected.items() for t in times}
    held = [look_at[t] for t in HELD_MS]
    if [look for look in looks if look in held] != held:
        failures.append("the held looks did not all come, in order")
    failures += timing_problems(live)
    keep_alives = sum(1 for (t0, a), (t1, b) in zip(live, live[1:])
                      if a["slots"] == b["slots"] and t1 - t0 >= KEEP_ALIVE_S[0] - SLACK_S)
    if keep_alives < 5:
        failures.append(f"only {keep_alives} keep-alives in the show's holds")
    if len(ends) != 3 or data[-3:] != ends:
        failures.append(f"{len(ends)} Stream_Terminated packets, not the last three")
    if any(tuple(p["slots"]) != end_look for _, p in ends):
        failures.append("the Stream_Terminated packets do not hold the show's last look")
    if live and ends and ends[0][0] - live[-1][0] > KEEP_ALIVE_S[1] + SLACK_S:
        failures.append(f"{ends[0][0] - live[-1][0]:.3f} s of silence before the stream ended")
    print(f"{len(live)} sACN data packets, {len(looks)} looks, {keep_alives} keep-alives, {len(ends)} terminated; "
          f"{len(failures)} failures")
    return finish(failures, work)


if __name__ == "__main__":
    sys.exit(main())
