#!/usr/bin/env python3
"""Art-Net from lumenrill-cli play, run as an ordinary user, to OLA's Art-Net node on a LAN
that is not Art-Net's own 2.x.x.x network.

The cable carries the benchmarking range: the player's side 198.18.0.1/15, the node's side
198.18.0.2/15 (broadcast 198.19.255.255), no 2.x.x.x address anywhere, and the player has no
capability to add one. olad runs on the node side with only its Art-Net plugin, its first
port patched to an OLA universe that ola_recorder records, while the show plays from the top
to its end. tshark captures the node's end of the cable. One run per way of sending:

- the automatic rule: ArtDmx and ArtPoll go to the interface's directed broadcast;
- a fixed list: ArtDmx goes to exactly 198.18.0.2;
- unicast: ArtPoll is broadcast, and once olad answered every ArtDmx goes to 198.18.0.2;
- unicast to a node on Net 1, Sub-Net 2 (--universe the full 15-bit Port-Address): the same;
- unicast to a Port-Address on that Net and Sub-Net that the node does not output: every
  ArtDmx stays broadcast and OLA records nothing.

Where OLA should record, it recorded more than 100 frames, each the show's own output
(lumenrill-cli eval) at some play position, in order, ending on the show's last look. The
player says where Art-Net goes ("Art-Net: ..." lines), and every ArtDmx carries the
Port-Address asked for.

usage: artnet_lan_test.py LUMENRILL_CLI
Needs root (network namespaces), olad and ola_recorder (Debian package ola), tshark and the
private sound server of scripts/test. Exit 77 when it cannot run here; 1 instead where the
environment is promised (LUMENRILL_REQUIRE_ENVIRONMENT=1).
"""
import dataclasses
import os
import sys

from output_show import (finish, ARTNET_DMX, ARTNET_POLL, ARTNET_POLL_REPLY, Cable, Capture, Olad, artnet_lines,
                         artnet_op, datagrams, environment_problem, make_show, missing_environment, missing_tools,
                         missing_unprivileged_user, play, recorded_looks, reply_port_addresses, show_problems,
                         work_folder)

APP, NODE, BROADCAST = "198.18.0.1", "198.18.0.2", "198.19.255.255"
AUTOMATIC = f"{BROADCAST} (lr-app)"
# A frame the player sent while the node's answer was on its way may still be broadcast.
IN_FLIGHT_S = 0.1


@dataclasses.dataclass
class Run:
    """One play: the node's Net and Sub-Net and the OLA universe its first port outputs (whose
    low four bits make that port's Universe), the player's options, the Port-Address in its
    ArtDmx, where the ArtDmx goes ("broadcast", "fixed" or "unicast"), what the player says
    about it, and whether OLA records the show."""
    name: str
    net: int
    subnet: int
    ola_universe: int
    options: list
    port_address: int
    sending: str
    said: list
    recorded: bool = True


RUNS = [
    Run("automatic rule", 0, 0, 1, ["--universe", "1"], 1, "broadcast", [AUTOMATIC]),
    Run("fixed list", 0, 0, 1, ["--artnet", NODE, "--universe", "1"], 1, "fixed", [NODE]),
    Run("unicast", 0, 0, 1, ["--artnet", "unicast", "--universe", "1"], 1, "unicast", [AUTOMATIC, NODE]),
    Run("unicast to Net 1, Sub-Net 2", 1, 2, 3, ["--artnet", "unicast", "--universe", str(0x123)], 0x123, "unicast",
        [AUTOMATIC, NODE]),
    Run("unicast to a Port-Address no node outputs", 1, 2, 3, ["--artnet", "unicast", "--universe", str(0x122)],
        0x122, "broadcast", [AUTOMATIC], recorded=False),
]


def sending_problems(run, packets):
    """What is wrong with where the player's Art-Net went in the capture."""
    problems = []
    polls = [(t, dst) for t, src, dst, p in packets if src == APP and artnet_op(p) == ARTNET_POLL]
    dmx = [(t, dst, p[14] | p[15] << 8) for t, src, dst, p in packets if src == APP and artnet_op(p) == ARTNET_DMX]
    if len(dmx) <= 100:
        problems.append(f"{len(dmx)} ArtDmx on the cable")
    universes = sorted({u for _, _, u in dmx})
    if universes != [run.port_address]:
        problems.append(f"ArtDmx for Port-Address {universes}, not {run.port_address}")
    if run.sending == "fixed":
        others = sorted({dst for _, dst, _ in dmx} - {NODE})
        if others:
            problems.append(f"ArtDmx to {others} besides {NODE}")
        return problems
    if any(dst != BROADCAST for _, dst in polls):
        problems.append(f"ArtPoll went to {sorted({dst for _, dst in polls})}, not only to {BROADCAST}")
    if run.sending == "broadcast":
        others = sorted({dst for _, dst, _ in dmx} - {BROADCAST})
        if others:
            problems.append(f"ArtDmx to {others} besides {BROADCAST}")
        return problems
    answered = next((t for t, src, _, p in packets if src == NODE and artnet_op(p) == ARTNET_POLL_REPLY
                     and polls and t >= polls[0][0]), None)
    if answered is None:
        return problems + ["olad never answered an ArtPoll"]
    before = sorted({dst for t, dst, _ in dmx if t < answered} - {BROADCAST})
    after = [dst for t, dst, _ in dmx if t >= answered + IN_FLIGHT_S]
    if before:
        problems.append(f"ArtDmx to {before} before olad answered")
    if not after or set(after) != {NODE}:
        problems.append(f"{len(after)} ArtDmx after olad answered, to {sorted(set(after))}, not only to {NODE}")
    return problems


def node_problems(run, packets):
    """Where the player looks for nodes, the fixture itself: olad answered, offering the
    Port-Address the run expects it to (or not)."""
    replies = [p for _, src, _, p in packets if src == NODE and artnet_op(p) == ARTNET_POLL_REPLY]
    offered = {a for p in replies for a in reply_port_addresses(p)}
    if "unicast" in run.options and (not replies or (run.port_address in offered) != run.recorded):
        return [f"olad's {len(replies)} ArtPollReply offer Port-Addresses {sorted(offered)}"]
    return []


def main():
    cli = sys.argv[1]
    problem = (missing_environment() or missing_tools("olad", "ola_recorder", "tshark")
               or missing_unprivileged_user())
    if problem:
        return environment_problem(problem)
    work = work_folder("lumenrill-artnet-lan-")
    expected, end_look = make_show(cli, work)
    failures = []
    for i, run in enumerate(RUNS):
        record, capture = os.path.join(work, f"run{i}.show"), os.path.join(work, f"run{i}.pcapng")
        problems = []
        config = f"ip = {NODE}\nnet = {run.net}\nsubnet = {run.subnet}\noutput_ports = 0\n"
        with Cable("lan", app=APP + "/15", node=NODE + "/15") as cable, \
                Olad(cable, work, "artnet", "ArtNet", config) as olad:
            problem = olad.patch_input(run.ola_universe)
            if problem:
                failures.append(f"{run.name}: {problem}")
                continue
            with Capture(cable, capture), olad.recording(run.ola_universe, record):
                player = play(cli, cable, work, *run.options, unprivileged=True)
        if player.returncode != 0:
            problems.append(f"play ended with {player.returncode}: {player.stderr[-2000:]}")
        said = artnet_lines(player.stdout)
        # The node may answer before play first says where Art-Net goes (the sound opens first).
        if run.sending == "unicast" and said == run.said[1:]:
            said = run.said
        if said != run.said:
            problems.append(f"play said Art-Net goes to {said}, not {run.said}")
        packets = datagrams(capture, 6454)
        problems += node_problems(run, packets) + sending_problems(run, packets)
        looks = recorded_looks(record, run.ola_universe)
        if run.recorded:
            problems += ["OLA: " + p for p in show_problems(looks, expected, end_look)]
        elif looks:
            problems.append(f"OLA recorded {len(looks)} frames of a universe it does not output")
        failures += [f"{run.name}: {p}" for p in problems]
        print(f"{run.name}: OLA recorded {len(looks)} frames; {len(problems)} failures")
    return finish(failures, work)


if __name__ == "__main__":
    sys.exit(main())
