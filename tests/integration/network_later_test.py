#!/usr/bin/env python3
"""lumenrill-cli play started before the network is up, as an installation starts at boot.

The application side's end of the cable is up but has no address when lumenrill-cli play
starts a show that keeps changing, as an ordinary user. It says "Art-Net: no network". 3 s
after the start the interface gets 198.18.0.1/15; a receiver on the node side
(198.18.0.2/15) must get ArtDmx within 2 s of that, sent from 198.18.0.1 to the directed
broadcast 198.19.255.255 (read with IP_PKTINFO), and play must have said so without a
restart: "Art-Net: 198.19.255.255 (lr-app)". Nothing arrives before the address.

usage: network_later_test.py LUMENRILL_CLI
Needs root (network namespaces) and the private sound server of scripts/test. Exit 77 when it
cannot run here; 1 instead where the environment is promised (LUMENRILL_REQUIRE_ENVIRONMENT=1).
"""
import select
import signal
import subprocess
import sys
import threading
import time

from output_peer import receive, receiver
from output_show import (finish, Cable, artnet_lines, artnet_op, ARTNET_DMX, environment_problem, import_show, inside,
                         missing_environment, missing_unprivileged_user, player, work_folder)

APP, NODE, BROADCAST = "198.18.0.1", "198.18.0.2", "198.19.255.255"
ADDRESS_AFTER_S = 3.0
SENDING_WITHIN_S = 2.0
# Long enough to change on every frame until the test has seen what it waits for.
RAMP_MS = 15000


def main():
    cli = sys.argv[1]
    problem = missing_environment() or missing_unprivileged_user()
    if problem:
        return environment_problem(problem)
    work = work_folder("lumenrill-network-later-")
    import_show(cli, work, [[{"time": -500, "color": "#000000"}, {"time": RAMP_MS, "color": "#FA0000"}]], 500,
                RAMP_MS, 500)
    failures = []
    said = []  # (time, line) of what play printed
    heard = []  # (time, sender, destination) of each ArtDmx
    with Cable("later", app=None, node=NODE + "/15") as cable:
        with inside(cable.node):
            node = receiver(6454, [], NODE)
        command, env = player(cli, cable, work, "--start", unprivileged=True)
        started = time.time()
        play = subprocess.Popen(command, cwd=work, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        reader = threading.Thread(target=lambda: said.extend((time.time(), line) for line in play.stdout))
        reader.start()
        added = None
        try:
            while time.time() < started + ADDRESS_AFTER_S + SENDING_WITHIN_S + 1.0:
                if added is None and time.time() >= started + ADDRESS_AFTER_S:
                    cable.add_address(cable.app, APP + "/15")
                    added = time.time()
                ready, _, _ = select.select([node], [], [], 0.01)
                if ready:
                    data, to, sender = receive(node)
                    if artnet_op(data) == ARTNET_DMX:
                        heard.append((time.time(), sender[0], to))
        finally:
            play.send_signal(signal.SIGTERM)
            try:
                _, errors = play.communicate(timeout=20)
            except subprocess.TimeoutExpired:
                play.kill()
                _, errors = play.communicate()
            reader.join()
    if play.returncode != 0:
        failures.append(f"play ended with {play.returncode}: {errors[-2000:]}")
    lines = artnet_lines("".join(line for _, line in said))
    if lines[:1] not in (["no network"], ["no network (lr-app)"]) or lines[1:] != [f"{BROADCAST} (lr-app)"]:
        failures.append(f"play said Art-Net goes to {lines}")
    early = [h for h in heard if h[0] < added]
    if early:
        failures.append(f"{len(early)} ArtDmx arrived before the address was added, first {early[0][1:]}")
    late = [h for h in heard if h[0] >= added]
    if not late or late[0][0] > added + SENDING_WITHIN_S:
        failures.append(f"no ArtDmx within {SENDING_WITHIN_S} s of the address "
                        f"({late[0][0] - added:.2f} s)" if late else "no ArtDmx after the address was added")
    elsewhere = sorted({(src, to) for _, src, to in late} - {(APP, BROADCAST)})
    if elsewhere:
        failures.append(f"ArtDmx (from, to) {elsewhere}, not only ({APP}, {BROADCAST})")
    print(f"{len(late)} ArtDmx after the address, the first {late[0][0] - added:.2f} s after it" if late
          else "no ArtDmx after the address")
    return finish(failures, work)


if __name__ == "__main__":
    sys.exit(main())
