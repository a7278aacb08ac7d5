#!/usr/bin/env python3
"""The whole chain without a window: lumenrill-cli play on a made show and WAV, driven by OSC
from a peer on the far side of a virtual cable, whose recorded ArtDmx frames are checked
against the show's own evaluation (lumenrill-cli eval) at the times they were sent.

usage: headless_play_test.py LUMENRILL_CLI
Needs root (network namespaces) and the private sound server of scripts/test (PULSE_SERVER).
Exit 77 when it cannot run here; 1 instead where the environment is promised
(LUMENRILL_REQUIRE_ENVIRONMENT=1, as under scripts/test).
"""
import json
import math
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time
import wave

from sandbox_net import cable, missing_sound_server

HERE = os.path.dirname(os.path.abspath(__file__))
SOUND_MS = 4000
PRE_MS = 1000
POST_MS = 1000
RAMP_END_MS = 5000  # line 1 red ramps from 0 at -1000 ms to 250 at 5000 ms
RAMP_TOP = 250
QUANTUM_MS = (RAMP_END_MS + PRE_MS) / RAMP_TOP  # show time per red step

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)


def write_wav(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(44100)
        frames = bytearray()
        for i in range(44100 * SOUND_MS // 1000):
            v = int(3000 * math.sin(2 * math.pi * 440 * i / 44100))
            frames += struct.pack("<hh", v, v)
        w.writeframes(bytes(frames))


def show_time(frame):
    """Show time (ms) that the frame's red on slot 1 stands for."""
    return frame[2][0] * QUANTUM_MS - PRE_MS


def main():
    cli = sys.argv[1]
    problem = missing_sound_server()
    if problem:
        if os.environ.get("LUMENRILL_REQUIRE_ENVIRONMENT") == "1":
            print("missing from the test environment: " + problem)
            return 1
        print(problem)
        return 77
    work = tempfile.mkdtemp(prefix="lumenrill-play-")
    sound = os.path.join(work, "tone.wav")
    write_wav(sound)
    show = {
        "title": "headless", "soundFile": sound, "prePlayTime": PRE_MS, "postPlayTime": POST_MS,
        "lines": [[{"time": -PRE_MS, "color": "#000000"}, {"time": RAMP_END_MS, "color": "#FA0000"}],
                  [{"time": -PRE_MS, "color": "#00FF00", "brightness": -128}],
                  [], [], [], [], [], []],
    }
    with open(os.path.join(work, "show.json"), "w") as f:
        json.dump(show, f)
    subprocess.run([cli, "import", "show.json", "show.PRJ"], cwd=work, check=True)

    # Every 1 ms of the show, evaluated by the program itself.
    times = list(range(-PRE_MS - 100, SOUND_MS + POST_MS + 100))
    eval_out = subprocess.run([cli, "eval", "show.PRJ", *map(str, times)], cwd=work, check=True,
                              capture_output=True, text=True).stdout.splitlines()
    expected = {}
    for line in eval_out:
        e = json.loads(line)
        expected.setdefault(tuple(e["dmx"][:24]), []).append(e["time"])

    with cable("play") as (app, node):
        status_path = os.path.join(work, "status.txt")
        with open(status_path, "w") as status_file:
            player = subprocess.Popen(["ip", "netns", "exec", app, cli, "play", "show.PRJ", "--osc-port", "9901"],
                                      cwd=work, stdout=status_file, stderr=subprocess.PIPE, text=True)
            time.sleep(1.0)
            actions = ["0.7:wrongcase", "0.9:short",
                       "1.5:play:00:00:01.00", "3.5:pause", "6.5:play", "7.5:stop", "8.0:next",
                       "8.5:play:top"]
            record = os.path.join(work, "peer.json")
            subprocess.run(["ip", "netns", "exec", node, sys.executable, os.path.join(HERE, "show_peer.py"),
                            "2.0.0.1", "9901", "15.5", record, *actions], check=True)
            player.send_signal(signal.SIGTERM)
            _, err = player.communicate(timeout=20)
        check(player.returncode == 0, f"play ended with {player.returncode}: {err}")
        with open(status_path) as f:
            status = f.read().splitlines()
        with open(record) as f:
            peer = json.load(f)

    check(status == ["Art-Net: 2.255.255.255 (lr-app)", "OSC: play 00:00:01.00", "OSC: pause ", "OSC: play ", "OSC: stop ",
                     "OSC: next  ERR:Unknown address", "OSC: play top"], f"status lines {status}")

    sent = {label: at for at, label in peer["sent"]}
    frames = [f for f in peer["dmx"] if f[1] == 0]
    check(len(frames) > 100, f"only {len(frames)} frames")

    # Every frame is the show's own output at some time: colours, brightness and patch.
    for f in frames:
        check(tuple(f[2]) in expected, f"frame at {f[0]:.3f}s is no output of the show: {f[2][:6]}")

    def segment(start, end):
        return [f for f in frames if start <= f[0] < end]

    def follows_time(name, sent_at, start, end, show_start, lag_max):
        """Frames in [start, end) show the show from show_start (at sent_at) on, one frame per
        20 ms, behind it by at most lag_max ms."""
        seg = segment(start, end)
        check(len(seg) >= (end - start) / 0.02 * 0.8, f"{name}: {len(seg)} frames")
        lags = [show_start + (f[0] - sent_at) * 1000 - show_time(f) for f in seg]
        if lags:
            spread = max(lags) - min(lags)
            check(spread <= 2 * QUANTUM_MS + 60, f"{name}: show time drifts from real time by {spread:.0f} ms")
            check(-2 * QUANTUM_MS <= min(lags) and max(lags) <= lag_max,
                  f"{name}: lag {min(lags):.0f}..{max(lags):.0f} ms")
        return lags

    play_at = sent["play 00:00:01.00"]
    lags = follows_time("play at 1 s", play_at, play_at + 0.2, sent["pause"], 1000, 150)
    print(f"play at 1 s: the lights follow {min(lags):.0f}..{max(lags):.0f} ms behind the command" if lags else "")
    resume = sent["play"]
    paused_at = show_time(segment(sent["pause"] + 0.1, resume)[-1]) if segment(sent["pause"] + 0.1, resume) else 0
    follows_time("resume", resume, resume + 0.2, sent["stop"], paused_at, 150)

    # Paused: only the keep-alive, every 1.5 s, with the same values.
    paused = segment(sent["pause"] + 0.1, sent["play"])
    check(1 <= len(paused) <= 3, f"paused: {len(paused)} frames")
    check(len({tuple(f[2]) for f in paused}) <= 1, "paused frames change")
    for a, b in zip(paused, paused[1:]):
        check(1.3 <= b[0] - a[0] <= 1.7, f"keep-alive gap {b[0] - a[0]:.3f}s")

    # Stopped: the output holds.
    stopped = segment(sent["stop"] + 0.1, sent["play top"])
    check(len({tuple(f[2]) for f in stopped}) <= 1, "stopped frames change")

    # From the top: the lead-in runs on the clock from -1000 ms and hands over to the
    # sound at 0; the run-out ends at 5000 ms.
    top = sent["play top"]
    lead_in = [f for f in segment(top + 0.06, top + 0.95)]
    check(lead_in and abs(show_time(lead_in[0]) - (-PRE_MS + (lead_in[0][0] - top) * 1000)) <= 3 * QUANTUM_MS + 40,
          "lead-in does not start at -1000 ms")
    run = segment(top, top + 7.0)
    shown = [show_time(f) for f in run]
    backwards = [b - a for a, b in zip(shown, shown[1:]) if b < a - QUANTUM_MS]
    check(not backwards, f"show time runs backwards from the top: {backwards[:5]}")
    check(any(abs(t) <= QUANTUM_MS for t in shown), "no frame at the hand-over to the sound at 0")
    check(shown and shown[-1] >= RAMP_END_MS - QUANTUM_MS, f"run-out ends at {shown[-1] if shown else None}")

    for text in failures:
        print("FAIL:", text)
    print(f"{len(frames)} frames checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
