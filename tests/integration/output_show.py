"""What the output tests share: the show (a red ramp over lead-in, sound and run-out on
line 1), its own evaluation by lumenrill-cli eval, the virtual cable between two network
namespaces (2.0.0.1 on the application side, 2.0.0.2 on the node side), and the run of
lumenrill-cli play from the top to the end."""
import json
import math
import os
import shutil
import struct
import subprocess
import wave

SOUND_MS = 3000
PRE_MS = 1000
POST_MS = 1000
RAMP_END_MS = SOUND_MS + POST_MS  # line 1 red ramps from 0 at -1000 ms to 250 at the end


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


def make_show(cli, work):
    """Writes show.PRJ into work; returns {first 24 slots: [times]} of every ms of the show and
    the look at its end."""
    write_wav(os.path.join(work, "tone.wav"))
    show = {
        "title": "output", "soundFile": os.path.join(work, "tone.wav"), "prePlayTime": PRE_MS,
        "postPlayTime": POST_MS,
        "lines": [[{"time": -PRE_MS, "color": "#000000"}, {"time": RAMP_END_MS, "color": "#FA0000"}],
                  [{"time": -PRE_MS, "color": "#00FF00", "brightness": -128}],
                  [], [], [], [], [], []],
    }
    with open(os.path.join(work, "show.json"), "w") as f:
        json.dump(show, f)
    subprocess.run([cli, "import", "show.json", "show.PRJ"], cwd=work, check=True)
    times = list(range(-PRE_MS - 100, SOUND_MS + POST_MS + 100))
    lines = subprocess.run([cli, "eval", "show.PRJ", *map(str, times)], cwd=work, check=True,
                           capture_output=True, text=True).stdout.splitlines()
    expected = {}
    for line in lines:
        e = json.loads(line)
        expected.setdefault(tuple(e["dmx"][:24]), []).append(e["time"])
    return expected, tuple(json.loads(lines[-1])["dmx"][:24])


def missing_environment():
    """Why a test that plays cannot run here, or None."""
    if os.geteuid() != 0:
        return "needs root for network namespaces"
    if not os.environ.get("PULSE_SERVER"):
        return "needs the private test sound server named in PULSE_SERVER"
    if subprocess.run(["pactl", "info"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
        return "the sound server at " + os.environ["PULSE_SERVER"] + " does not answer"
    return None


class Cable:
    """Two namespaces joined by a veth pair; both removed at the end."""

    def __init__(self, tag):
        self.app, self.node = f"lr-{tag}-app-{os.getpid()}", f"lr-{tag}-node-{os.getpid()}"

    def __enter__(self):
        run = lambda *a: subprocess.run(list(a), check=True)
        run("ip", "netns", "add", self.app)
        run("ip", "netns", "add", self.node)
        run("ip", "-n", self.app, "link", "set", "lo", "up")
        run("ip", "-n", self.node, "link", "set", "lo", "up")
        run("ip", "-n", self.app, "link", "add", "lr-app", "type", "veth", "peer", "name", "lr-node")
        run("ip", "-n", self.app, "link", "set", "lr-node", "netns", self.node)
        run("ip", "-n", self.app, "addr", "add", "2.0.0.1/8", "dev", "lr-app")
        run("ip", "-n", self.node, "addr", "add", "2.0.0.2/8", "dev", "lr-node")
        run("ip", "-n", self.app, "link", "set", "lr-app", "up")
        run("ip", "-n", self.node, "link", "set", "lr-node", "up")
        return self

    def __exit__(self, *exc):
        subprocess.run(["ip", "netns", "del", self.app], check=False)
        subprocess.run(["ip", "netns", "del", self.node], check=False)


def play(cli, cable, work, *options):
    """lumenrill-cli play from the top to the end on the application side."""
    return subprocess.run(["ip", "netns", "exec", cable.app, cli, "play", "show.PRJ", "--osc-port", "9901", "--start",
                           "--exit-at-end", *options], cwd=work, capture_output=True, text=True, timeout=60)


def environment_problem(problem):
    """The exit status for a missing environment: 77 (skip), or 1 where it is promised."""
    if os.environ.get("LUMENRILL_REQUIRE_ENVIRONMENT") == "1":
        print("missing from the test environment: " + problem)
        return 1
    print(problem)
    return 77


def finish(failures, work):
    """Prints the failures; the work folder is kept for a look when there are any."""
    for text in failures:
        print("FAIL:", text)
    if failures:
        print("kept for a look: " + work)
        return 1
    shutil.rmtree(work, ignore_errors=True)
    return 0
