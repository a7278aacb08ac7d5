#!/usr/bin/env python3
"""sACN from lumenrill-cli play into OLA's E1.31 input, a receiver no one here wrote.

olad runs on the node side of a virtual cable (as an unprivileged user: it refuses root)
with only its E1.31 plugin, listening on 2.0.0.2; its first input port is patched to
universe 1 and ola_recorder records that universe while the show plays from the top to
its end with --artnet off --sacn multicast. Every look OLA recorded must be the show's
own output (lumenrill-cli eval) at some play position, in the show's order, up to the
show's last look.

usage: ola_receiver_test.py LUMENRILL_CLI
Needs root (network namespaces), olad (Debian package ola) and the private sound server
of scripts/test. Exit 77 when it cannot run here; 1 instead where the environment is
promised (LUMENRILL_REQUIRE_ENVIRONMENT=1).
"""
import os
import sys

from output_show import (finish, Cable, Olad, environment_problem, make_show, missing_environment, missing_tools,
                         play, recorded_looks, show_problems, work_folder)

E131_CONFIG = "ip = 2.0.0.2\ninput_ports = 1\noutput_ports = 0\nignore_preview = true\nrevision = 0.46\n"


def main():
    cli = sys.argv[1]
    problem = missing_environment() or missing_tools("olad", "ola_recorder")
    if problem:
        return environment_problem(problem)
    work = work_folder("lumenrill-ola-")
    expected, end_look = make_show(cli, work)
    record = os.path.join(work, "universe1.show")
    failures = []
    with Cable("ola") as cable, Olad(cable, work, "e131", "E1.31", E131_CONFIG) as olad:
        problem = olad.patch_input(1)
        if problem:
            failures.append(problem)
        else:
            with olad.recording(1, record):
                player = play(cli, cable, work, "--artnet", "off", "--sacn", "multicast", "--sacn-universe", "1")
            if player.returncode != 0:
                failures.append(f"play ended with {player.returncode}: {player.stderr}")
    looks = recorded_looks(record, 1)
    failures += ["OLA: " + problem for problem in show_problems(looks, expected, end_look)]
    print(f"OLA recorded {len(looks)} frames of universe 1, {len(set(looks))} looks; {len(failures)} failures")
    return finish(failures, work)


if __name__ == "__main__":
    sys.exit(main())
