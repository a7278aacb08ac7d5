#!/usr/bin/env python3
"""OSC with a peer nobody here wrote: liblo's oscsend drives lumenrill-cli play across a
virtual cable with plain messages, pressing and releasing the pause and stop buttons as a
control surface does (1.0, then 0.0), and liblo's oscdump, a feedback target, records what
the player says back: the show, each state, the time running and where it stopped. A second
oscdump subscribes on a port of its own and hears the same states there.

usage: osc_interop_test.py LUMENRILL_CLI
Needs root (network namespaces), oscsend and oscdump (liblo-tools) and the private sound
server of scripts/test (PULSE_SERVER). Exit 77 when it cannot run here; 1 instead where the
environment is promised (LUMENRILL_REQUIRE_ENVIRONMENT=1, as under scripts/test).
"""
import json
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import wave

from sandbox_net import cable, missing_sound_server

SOUND_MS = 3000
PRE_MS = 1000
POST_MS = 500
FEEDBACK_PORT = "9000"
SUBSCRIBER_PORT = "9100"

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)


def write_wav(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(44100)
        w.writeframes(struct.pack("<hh", 0, 0) * (44100 * SOUND_MS // 1000))


def missing_environment():
    """Why the test cannot run here, or None."""
    for tool in ("oscsend", "oscdump"):
        if not shutil.which(tool):
            return f"needs {tool} (liblo-tools)"
    return missing_sound_server()


def parse_dump(lines):
    """oscdump lines ("TIMETAG /address types args...") as (address, [args])."""
    messages = []
    for line in lines:
        parts = line.split(" ", 3)
        if len(parts) < 3:
            continue
        args = re.findall(r'"([^"]*)"|(-?[0-9.]+)', parts[3]) if len(parts) > 3 else []
        messages.append((parts[1], [s if s or not n else float(n) for s, n in args]))
    return messages


def main():
    cli = sys.argv[1]
    problem = missing_environment()
    if problem:
        if os.environ.get("LUMENRILL_REQUIRE_ENVIRONMENT") == "1":
            print("missing from the test environment: " + problem)
            return 1
        print(problem)
        return 77
    work = tempfile.mkdtemp(prefix="lumenrill-osc-")
    write_wav(os.path.join(work, "quiet.wav"))
    show = {"title": "interop", "soundFile": os.path.join(work, "quiet.wav"), "prePlayTime": PRE_MS,
            "postPlayTime": POST_MS, "lines": [[{"time": 0, "color": "#FF0000"}], [], [], [], [], [], [], []]}
    with open(os.path.join(work, "show.json"), "w") as f:
        json.dump(show, f)
    subprocess.run([cli, "import", "show.json", "show.PRJ"], cwd=work, check=True)

    dump_path = os.path.join(work, "dump.txt")
    subscriber_path = os.path.join(work, "subscriber.txt")
    status_path = os.path.join(work, "status.txt")
    with cable("osc") as (app, node):
        send = lambda *a: subprocess.run(["ip", "netns", "exec", node, "oscsend", "2.0.0.1", "9901", *a], check=True)
        with open(dump_path, "w") as dump_file, open(status_path, "w") as status_file, \
                open(subscriber_path, "w") as subscriber_file:
            dump = subprocess.Popen(["ip", "netns", "exec", node, "oscdump", "-L", FEEDBACK_PORT],
                                    stdout=dump_file, stderr=subprocess.STDOUT)
            subscriber = subprocess.Popen(["ip", "netns", "exec", node, "oscdump", "-L", SUBSCRIBER_PORT],
                                          stdout=subscriber_file, stderr=subprocess.STDOUT)
            player = subprocess.Popen(["ip", "netns", "exec", app, cli, "play", "show.PRJ", "--osc-port", "9901",
                                       "--osc-allow", "2.0.0.0/8", "--osc-feedback", "2.0.0.2:" + FEEDBACK_PORT],
                                      cwd=work, stdout=status_file, stderr=subprocess.PIPE, text=True)
            time.sleep(1.0)
            send("/lumenrill/bogus")
            send("/lumenrill/subscribe", "i", SUBSCRIBER_PORT)
            send("/lumenrill/play", "s", "top")
            time.sleep(2.5)  # the lead-in and 1.5 s of the sound
            send("/lumenrill/pause", "f", "1.0")
            send("/lumenrill/pause", "f", "0.0")
            time.sleep(0.5)
            send("/lumenrill/stop", "f", "1.0")
            send("/lumenrill/stop", "f", "0.0")
            time.sleep(0.5)
            player.send_signal(signal.SIGTERM)
            _, err = player.communicate(timeout=20)
            for peer in (dump, subscriber):
                peer.send_signal(signal.SIGTERM)
                peer.wait(timeout=5)
        check(player.returncode == 0, f"play ended with {player.returncode}: {err}")
        with open(status_path) as f:
            status = f.read().splitlines()
        with open(dump_path) as f:
            heard = parse_dump(f.read().splitlines())
        with open(subscriber_path) as f:
            subscribed = parse_dump(f.read().splitlines())

    # A release is no command: no status line, and the pause is not taken back.
    check(status == ["Art-Net: 2.255.255.255 (lr-app)", "OSC: bogus  ERR:Unknown address", "OSC: subscribe " + SUBSCRIBER_PORT, "OSC: play top",
                     "OSC: pause ", "OSC: stop "], f"status lines {status}")
    subscriber_states = [args[0] for a, args in subscribed if a == "/lumenrill/state"]
    check(subscriber_states == ["stopped", "leadin", "playing", "paused", "stopped"],
          f"the subscriber's states {subscriber_states}")
    check(sum(a == "/lumenrill/time" for a, _ in subscribed) >= 10, f"the subscriber's times {subscribed}")
    addresses = [a for a, _ in heard]
    check(addresses[:3] == ["/lumenrill/state", "/lumenrill/time", "/lumenrill/show"],
          f"the target is first told everything: {heard[:3]}")
    check(("/lumenrill/show", ["interop", SOUND_MS / 1000]) in heard, f"no show message: {heard[:3]}")
    states = [args[0] for a, args in heard if a == "/lumenrill/state"]
    check(states == ["stopped", "leadin", "playing", "paused", "stopped"], f"states {states}")
    times = [args[0] for a, args in heard if a == "/lumenrill/time"]
    lead_in = [t for t in times if t < 0]
    check(lead_in and min(lead_in) >= -PRE_MS / 1000 - 0.01, f"lead-in times {lead_in}")
    running = [t for t in times if t > 0]
    check(len(running) >= 10, f"only {len(running)} times while playing")
    check(running == sorted(running), f"times run backwards: {running}")
    # At most ten a second: the lead-in and 1.5 s of sound give no more than about 26.
    check(len(times) <= 30, f"{len(times)} time messages")
    # Paused, then stopped: the time is told once where it came to rest, not again and again.
    paused_at = next((i for i, (a, args) in enumerate(heard) if a == "/lumenrill/state" and args == ["paused"]), None)
    if paused_at is not None:
        after = [args[0] for a, args in heard[paused_at:] if a == "/lumenrill/time"]
        check(len(after) <= 2, f"the time keeps being told after the pause: {after}")

    for text in failures:
        print("FAIL:", text)
    print(f"{len(heard)} messages heard, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
