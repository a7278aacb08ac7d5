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
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from output_show import finish, Cable, environment_problem, make_show, missing_environment, play

# Every plugin but E1.31 stays off: no USB scans, no other ports taken.
OTHER_PLUGINS = ["artnet", "dummy", "espnet", "ftdidmx", "gpio", "karate", "kinet", "milinst", "opendmx",
                 "openpixelcontrol", "osc", "pathport", "renard", "sandnet", "shownet", "spi", "stageprofi",
                 "uartdmx", "usbdmx", "usbserial"]
USER = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)


def write_config(folder):
    for plugin in OTHER_PLUGINS:
        with open(os.path.join(folder, f"ola-{plugin}.conf"), "w") as f:
            f.write("enabled = false\n")
    with open(os.path.join(folder, "ola-e131.conf"), "w") as f:
        f.write("enabled = true\nip = 2.0.0.2\ninput_ports = 1\noutput_ports = 0\nignore_preview = true\n"
                "revision = 0.46\n")
    os.chmod(folder, 0o777)


def in_node(cable, *command, **kw):
    return subprocess.run(["ip", "netns", "exec", cable.node, *USER, *command], capture_output=True, text=True,
                          timeout=20, **kw)


def e131_device(cable):
    """OLA's id of its E1.31 device once olad answers, or None."""
    for _ in range(100):
        info = in_node(cable, "ola_dev_info")
        for line in info.stdout.splitlines():
            if line.startswith("Device ") and "E1.31" in line:
                return line.split()[1].rstrip(":")
        time.sleep(0.1)
    return None


def recorded_looks(path):
    """The first 24 slots of each frame ola_recorder wrote for universe 1."""
    looks = []
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 2 and parts[0] == "1":
                values = [int(v) for v in parts[1].split(",")]
                looks.append(tuple((values + [0] * 24)[:24]))
    return looks


def stop(process):
    """olad keeps running on SIGINT and SIGTERM while it winds down its plugins: wait, then kill."""
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def main():
    cli = sys.argv[1]
    problem = missing_environment() or (None if shutil.which("olad") and shutil.which("ola_recorder")
                                         else "needs olad and ola_recorder (Debian package ola)")
    if problem:
        return environment_problem(problem)
    work = tempfile.mkdtemp(prefix="lumenrill-ola-")
    os.chmod(work, 0o777)
    expected, end_look = make_show(cli, work)
    config = os.path.join(work, "ola")
    os.mkdir(config)
    write_config(config)
    record = os.path.join(work, "universe1.show")
    with Cable("ola") as cable:
        olad = subprocess.Popen(["ip", "netns", "exec", cable.node, *USER, "olad", "--config-dir", config, "--no-http",
                                 "--no-register-with-dns-sd", "-l", "2"],
                                stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "olad.log"), "w"))
        try:
            device = e131_device(cable)
            check(device is not None, "olad shows no E1.31 device")
            if device is not None:
                patch = in_node(cable, "ola_patch", "--device", device, "--port", "0", "--input", "--universe", "1")
                check(patch.returncode == 0, f"ola_patch: {patch.stderr}")
                recorder = subprocess.Popen(["ip", "netns", "exec", cable.node, *USER, "ola_recorder", "--record",
                                             record, "--universes", "1"], stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
                time.sleep(1.0)
                player = play(cli, cable, work, "--artnet", "off", "--sacn", "multicast", "--sacn-universe", "1")
                check(player.returncode == 0, f"play ended with {player.returncode}: {player.stderr}")
                time.sleep(0.5)
                recorder.send_signal(signal.SIGINT)
                recorder.wait(timeout=10)
        finally:
            stop(olad)

    looks = recorded_looks(record) if os.path.exists(record) else []
    check(len(looks) > 100, f"OLA recorded {len(looks)} frames")
    strange = [look for look in looks if look not in expected]
    check(not strange, f"{len(strange)} recorded frames are no output of the show, first {strange[:1]}")
    shown = [min(expected[look]) for look in looks if look in expected]
    check(shown == sorted(shown), "OLA recorded the show out of order")
    check(looks and looks[-1] == end_look, "OLA's last frame is not the show's last look")
    print(f"OLA recorded {len(looks)} frames of universe 1, {len(set(looks))} looks; {len(failures)} failures")
    return finish(failures, work)


if __name__ == "__main__":
    sys.exit(main())
