#!/usr/bin/env python3
"""The desktop program as a whole, under Xvfb: started with a settings file that names a
project, played from the top by OSC from a peer across a virtual cable, whose ArtDmx frames
must be the show's own output; the time display must run (two screenshots of it differ);
closed by SIGTERM, after which the settings file holds what the close writes.

usage: window_play_test.py LUMENRILL LUMENRILL_CLI
Needs root (network namespaces), Xvfb, ImageMagick's import and the private sound server of
scripts/test (PULSE_SERVER). Exit 77 when it cannot run here.
"""
import json
import math
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts", "lib"))
from desktop_session import DesktopSession, missing_tools  # noqa: E402
SOUND_MS = 3000

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
            frames += struct.pack("<hh", v, -v)
        w.writeframes(bytes(frames))


def main():
    app_binary, cli = sys.argv[1], sys.argv[2]
    if os.geteuid() != 0 or not os.environ.get("PULSE_SERVER"):
        print("needs root and the test sound server")
        return 77
    if missing_tools():
        print("needs", missing_tools())
        return 77

    work = tempfile.mkdtemp(prefix="lumenrill-window-")
    exe_dir = os.path.join(work, "bin")
    os.mkdir(exe_dir)
    # The program keeps its settings beside itself: a copy of its own in a folder of its own.
    binary = os.path.join(exe_dir, "lumenrill")
    shutil.copy(app_binary, binary)
    sound = os.path.join(work, "tone.wav")
    write_wav(sound)
    show = {
        "title": "window test", "soundFile": sound, "prePlayTime": 1000, "postPlayTime": 1000,
        "lines": [[{"time": -1000, "color": "#000000"}, {"time": 4000, "color": "#FA0000"}],
                  [{"time": 0, "color": "#00FF00"}], [], [], [], [], [], []],
    }
    with open(os.path.join(work, "show.json"), "w") as f:
        json.dump(show, f)
    project = os.path.join(work, "show.PRJ")
    subprocess.run([cli, "import", "show.json", "show.PRJ"], cwd=work, check=True)
    ini = os.path.join(exe_dir, "lumenrill.INI")
    with open(ini, "w") as f:
        f.write(f"[Project]\nPrjFile={project}\n[OSC]\nLocalPort=9911\n")
    times = list(range(-1000, 4001, 10))
    out = subprocess.run([cli, "eval", "show.PRJ", *map(str, times)], cwd=work, check=True,
                         capture_output=True, text=True).stdout
    expected = {tuple(json.loads(line)["dmx"][:24]) for line in out.splitlines()}

    with DesktopSession(lsan_suppressions=os.path.join(HERE, "..", "lsan_desktop.supp")) as desk:
        program = desk.start([binary], os.path.join(work, "program.log"))
        time.sleep(3.0)

        def shot(name):
            path = os.path.join(work, name)
            subprocess.run(["import", "-display", f":{desk.display}", "-window", "root", "-crop", "400x60+0+20",
                            path], env=desk.env, check=True)
            with open(path, "rb") as f:
                return f.read()

        before = shot("before.png")
        record = os.path.join(work, "peer.json")
        desk.on_node_side([sys.executable, os.path.join(HERE, "show_peer.py"), "2.0.0.1", "9911", "4.5", record,
                           "0.3:play:top"])
        running = shot("running.png")
        check(before != running, "the time display did not change while playing")
        check(program.poll() is None, "the program ended by itself")
        program.send_signal(signal.SIGTERM)
        program.wait(timeout=30)
        check(program.returncode == 0, f"exit status {program.returncode} after SIGTERM")
        with open(record) as f:
            peer = json.load(f)

    frames = [f for f in peer["dmx"] if f[1] == 0]
    check(len(frames) > 100, f"only {len(frames)} frames on the node side")
    for f in frames:
        if tuple(f[2]) not in expected and any(f[2]):
            check(False, f"frame at {f[0]:.3f}s is no output of the show: {f[2][:6]}")
            break
    reds = [f[2][0] for f in frames if f[0] > 0.4]
    check(reds and max(reds) > 150, f"the show did not run through: red reached {max(reds) if reds else None}")

    with open(ini) as f:
        settings = f.read()
    for key in ("LocalPort=9911", "TxUniverse=0", "LurillFormWidth=", "WavLRHeight=", "[Tool3]",
                f"PrjFile={project}", "File0=" + project):
        check(key in settings, f"settings file lacks {key}")

    for text in failures:
        print("FAIL:", text)
    print(f"{len(frames)} frames checked, {len(failures)} failures; files in {work}")
    if not failures:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
