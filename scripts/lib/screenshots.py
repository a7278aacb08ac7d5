#!/usr/bin/env python3
"""Makes the manual's screenshots from the real program: a demo show, the program started under
Xvfb inside network namespaces with a private sound server, and each window opened with the
keys a person would press, in each language the program speaks.
usage: screenshots.py BUILD_DIR MANUAL_DIR [LANGUAGE...]"""
import json
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import DesktopSession, SoundServer  # noqa: E402

SECONDS = 24


def write_music(path):
    """Beats every half second with a tone that climbs each bar: a waveform worth looking at."""
    rate = 44100
    frames = bytearray()
    for i in range(rate * SECONDS):
        t = i / rate
        beat = t % 0.5
        bar = int(t / 2) % 4
        level = math.exp(-beat * 9) * 0.8 + 0.1 * math.sin(2 * math.pi * 0.25 * t) ** 2
        tone = math.sin(2 * math.pi * (110 * (bar + 2)) * t) + 0.4 * math.sin(2 * math.pi * 1500 * t)
        left = int(12000 * level * tone)
        right = int(12000 * level * math.sin(2 * math.pi * (165 * (bar + 2)) * t + 1))
        frames += struct.pack("<hh", left, right)
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def demo_show(sound):
    colours = ["#FF2020", "#FFA000", "#30D060", "#20B0FF", "#4060FF", "#C040FF", "#FF50A0", "#FFFFFF"]
    lines = []
    for line in range(8):
        steps = []
        for n in range(SECONDS * 2 // (line % 3 + 1)):
            t = n * 500 * (line % 3 + 1) + 60 * line
            steps.append({"time": t, "color": colours[(n + line) % 8], "brightness": (n * 37) % 200 - 60})
        lines.append(steps)
    return {"title": "Demo show", "soundFile": sound, "prePlayTime": 2000, "postPlayTime": 2000, "lines": lines}


# What a person presses and which window opens, in each language the program speaks.
LANGUAGES = {
    "ja": dict(new=("alt+f", "n"), new_title="プロジェクトの新規作成", quit=("alt+f", "x"),
               project=("alt+o", "s"), project_title="プロジェクトの設定", options=("alt+o", "o"),
               options_title="オプション設定", add_step=("alt+e", "a"), add_step_title="基点の追加",
               selection=("alt+e", "e"), selection_title="拡張選択"),
    "en": dict(new=("alt+f", "n"), new_title="New Project", quit=("alt+f", "q"),
               project=("alt+s", "p"), project_title="Project Settings", options=("alt+s", "o"),
               options_title="Options", add_step=("alt+e", "s"), add_step_title="Add Step",
               selection=("alt+e", "e"), selection_title="Extended Selection"),
}


def shots(desk, binary, work, show, language, out):
    """The manual's pictures in one language, into out."""
    keys = LANGUAGES[language]
    os.makedirs(out, exist_ok=True)
    empty, demo = os.path.join(work, language, "empty"), os.path.join(work, language, "demo")
    for config in (empty, demo):
        os.makedirs(os.path.join(config, "lumenrill"))
    with open(os.path.join(empty, "lumenrill", "lumenrill.INI"), "w") as f:
        f.write(f"[Option]\nLanguage={language}\n")
    with open(os.path.join(demo, "lumenrill", "lumenrill.INI"), "w") as f:
        f.write(f"[Option]\nLanguage={language}\n[Project]\nPrjFile={show}\n"
                "[General]\nViewRefTrack=1\nRefTrack=-2\nViewColMon=1\n"
                "LurillFormLeft=10\nLurillFormTop=10\nLurillFormWidth=1180\nLurillFormHeight=900\n")

    desk.env["XDG_CONFIG_HOME"] = empty
    program = desk.start([binary], os.path.join(work, language + "-empty.log"))
    main = desk.wait_window("^Lumenrill$")
    time.sleep(1.5)
    desk.shot(os.path.join(out, "first-run.png"), main)
    desk.keys(main, *keys["new"])
    dialog = desk.wait_window(keys["new_title"])
    time.sleep(0.5)
    desk.shot(os.path.join(out, "new-show.png"), dialog)
    desk.keys(dialog, "Escape")
    desk.keys(main, *keys["quit"])
    program.wait(timeout=30)

    desk.env["XDG_CONFIG_HOME"] = demo
    program = desk.start([binary], os.path.join(work, language + "-demo.log"))
    main = desk.wait_window("Demo show")
    time.sleep(2.0)
    desk.keys(main, "alt+p", "Return")  # play from the top
    time.sleep(5.0)
    monitor = desk.wait_window("Color Monitor")
    desk.shot(os.path.join(out, "colour-monitor.png"), monitor)
    # Nothing manages the windows here: the monitor goes aside so as not to cover the main one.
    desk.xdotool("windowmove", monitor, desk.width, desk.height)
    time.sleep(0.3)
    desk.shot(os.path.join(out, "main-window.png"), main)
    for command, picture, extra in (("project", "patch.png", ["ctrl+Tab"]), ("options", "options.png", []),
                                    ("add_step", "step-colour.png", []),
                                    ("selection", "extended-selection.png", [])):
        # Opened by its menu keys, pictured (on its second page for the patch), closed.
        desk.keys(main, *keys[command])
        dialog = desk.wait_window(keys[command + "_title"])
        if extra:
            desk.keys(dialog, *extra)
        time.sleep(0.5)
        desk.shot(os.path.join(out, picture), dialog)
        desk.keys(dialog, "Escape")
    desk.keys(main, *keys["quit"])
    program.wait(timeout=30)


def main():
    build, manual = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    languages = sys.argv[3:] or list(LANGUAGES)
    app = os.path.join(build, "src", "app", "lumenrill")
    cli = os.path.join(build, "src", "cli", "lumenrill-cli")
    work = tempfile.mkdtemp(prefix="lumenrill-shots-")
    sound = os.path.join(work, "music.wav")
    write_music(sound)
    with open(os.path.join(work, "show.json"), "w") as f:
        json.dump(demo_show(sound), f)
    show = os.path.join(work, "Demo.PRJ")
    subprocess.run([cli, "import", "show.json", show], cwd=work, check=True)
    # A copy of the program with nothing beside it: its settings go to the config folder. Its
    # translation is found in the build tree it came from.
    binary = os.path.join(work, "bin", "lumenrill")
    os.mkdir(os.path.dirname(binary))
    shutil.copy(app, binary)

    with SoundServer() as sound_server, DesktopSession(1280, 960) as desk:
        desk.env.update(sound_server.env, QT_QPA_PLATFORMTHEME="")
        for language in languages:
            out = os.path.join(manual, language, "images")
            shots(desk, binary, work, show, language, out)
            print("screenshots written to", out)
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
