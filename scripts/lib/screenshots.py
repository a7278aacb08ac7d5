#!/usr/bin/env python3
"""Makes the manual's screenshots from the real program: the demo show, the program started under
Xvfb inside network namespaces with a private sound server, and each window opened with the
keys a person would press, in each language the program speaks.
usage: screenshots.py BUILD_DIR MANUAL_DIR [LANGUAGE...]"""
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import DesktopSession, SoundServer  # noqa: E402

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


def shots(desk, binary, work, language, out):
    """The manual's pictures in one language, into out."""
    keys = LANGUAGES[language]
    os.makedirs(out, exist_ok=True)
    empty, demo = os.path.join(work, language, "empty"), os.path.join(work, language, "demo")
    for config in (empty, demo):
        os.makedirs(os.path.join(config, "lumenrill"))
    with open(os.path.join(empty, "lumenrill", "lumenrill.INI"), "w") as f:
        f.write(f"[Option]\nLanguage={language}\n")
    with open(os.path.join(demo, "lumenrill", "lumenrill.INI"), "w") as f:
        f.write(f"[Option]\nLanguage={language}\n"
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
    desk.env["XDG_DATA_HOME"] = os.path.join(work, language, "data")
    program = desk.start([binary, "--demo"], os.path.join(work, language + "-demo.log"))
    main = desk.wait_window("Lumenrill Demo")
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
    work = tempfile.mkdtemp(prefix="lumenrill-shots-")
    # A copy of the program with nothing beside it: its settings go to the config folder. Its
    # translation and the demo show are found in the build tree it came from.
    binary = os.path.join(work, "bin", "lumenrill")
    os.mkdir(os.path.dirname(binary))
    shutil.copy(app, binary)

    with SoundServer() as sound_server, DesktopSession(1280, 960) as desk:
        desk.env.update(sound_server.env, QT_QPA_PLATFORMTHEME="")
        for language in languages:
            out = os.path.join(manual, language, "images")
            shots(desk, binary, work, language, out)
            print("screenshots written to", out)
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
