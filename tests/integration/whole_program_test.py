#!/usr/bin/env python3
"""The whole program as a person uses it, under Xvfb with the real binary, the private sound
server and a simulated Art-Net node across a virtual cable, driven by keys, typing and clicks
(xdotool): a first start with no settings; a new show made through the menus (the project
settings dialog, its sound file chosen in the file dialog, steps added at the cursor with
colours picked from the palette, saved under a name); the program closed and its settings file
checked; the show given on the command line to a new start, played from the top through the
Play menu, with every frame the node receives checked against `lumenrill-cli eval`; a change
left unsaved when SIGTERM ends the program, kept as a recovery copy, kept again for later while
the show is edited and the program ended once more (the first copy stays as it was and is offered
at the next start, after the newer one is discarded with a confirmation, with a warning that the
show's file is newer); and with no place for a copy, the show kept beside its file and the next
start saying where.

usage: whole_program_test.py LUMENRILL LUMENRILL_CLI
Needs root, Xvfb, xdotool, ImageMagick's import and the private sound server of scripts/test
(PULSE_SERVER). Exit 77 when it cannot run here.
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

SOUND_MS = 4000
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
            v = int(3000 * math.sin(2 * math.pi * 330 * i / 44100))
            frames += struct.pack("<hh", v, v)
        w.writeframes(bytes(frames))


def wait_exit(program, text, timeout=30):
    try:
        program.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        check(False, f"{text}: the program did not end")
        program.kill()
        program.wait()
        return
    check(program.returncode == 0, f"{text}: exit status {program.returncode}")


def make_show(desk, binary, work, sound, show):
    """First start: a new show through the menus, saved as show. Returns nothing; checks as it goes."""
    program = desk.start([binary], os.path.join(work, "first.log"))
    main = desk.wait_window("^Lumenrill$")
    time.sleep(1.0)
    desk.shot(os.path.join(work, "first-run.png"), main)

    # File > New: the project settings dialog, which leads to the sound file.
    desk.keys(main, "alt+f", "n")
    settings = desk.wait_window("プロジェクトの新規作成")
    desk.keys(settings, "Return")  # the focus is on the browse button
    chooser = desk.wait_window("サウンドファイルの選択")
    desk.type(chooser, sound)
    desk.keys(chooser, "Return")
    desk.wait_gone(chooser)
    desk.keys(settings, "shift+Tab", "shift+Tab", "ctrl+a")
    desk.type(settings, "Made by hand")
    desk.shot(os.path.join(work, "new-show.png"), settings)
    desk.keys(settings, "Return")
    desk.wait_gone(settings)
    time.sleep(1.0)

    # Three steps on line 1 at 0.1 s, 1.1 s and 2.1 s (Right moves the cursor 0.1 s; no step
    # can be added at 0 before the line has one), each colour picked from the palette.
    for i in range(3):
        desk.keys(main, *(["Right"] * (10 if i else 1)))
        desk.keys(main, "alt+e", "a")
        colour = desk.wait_window("基点の追加")
        cx, cy, _, _ = desk.geometry(colour)
        desk.click(cx + 30 + 60 * i, cy + 40 + 50 * i)
        desk.keys(colour, "Return")
        desk.wait_gone(colour)
    desk.shot(os.path.join(work, "made.png"), main)

    # File > Save: a new show has no name yet, so the save dialog asks for one.
    desk.keys(main, "alt+f", "s")
    saver = desk.wait_window("名前を付けて保存")
    desk.type(saver, show)
    desk.keys(saver, "Return")
    desk.wait_gone(saver)
    time.sleep(0.5)
    desk.keys(main, "alt+f", "x")
    wait_exit(program, "closing after the save")


def main():
    app_binary, cli = sys.argv[1], sys.argv[2]
    if os.geteuid() != 0 or not os.environ.get("PULSE_SERVER"):
        print("needs root and the test sound server")
        return 77
    if missing_tools():
        print("needs", missing_tools())
        return 77

    work = tempfile.mkdtemp(prefix="lumenrill-whole-")
    # A copy of the program in a folder of its own: no settings file beside it, so its
    # settings go to the user's config folder, empty at the first start.
    binary = os.path.join(work, "bin", "lumenrill")
    os.mkdir(os.path.dirname(binary))
    shutil.copy(app_binary, binary)
    config = os.path.join(work, "config")
    sound = os.path.join(work, "music.wav")
    write_wav(sound)
    show = os.path.join(work, "made.PRJ")
    ini = os.path.join(config, "lumenrill", "lumenrill.INI")
    state = os.path.join(work, "state")
    recovery = os.path.join(state, "lumenrill")
    # The windows are driven by their Japanese captions, whatever the machine's locale.
    os.makedirs(os.path.dirname(ini))
    with open(ini, "w") as f:
        f.write("[Option]\nLanguage=ja\n")

    suppressions = os.path.join(HERE, "..", "lsan_desktop.supp")
    with DesktopSession(lsan_suppressions=suppressions) as desk:
        desk.env.update(XDG_CONFIG_HOME=config, XDG_STATE_HOME=state, QT_QPA_PLATFORMTHEME="")
        make_show(desk, binary, work, sound, show)

        check(os.path.exists(show), "the show was not saved")
        check("[ShortCut]" in open(ini, encoding="utf-8").read(), "the settings were not written at the close")
        if failures:
            return report(work)
        exported = json.loads(subprocess.run([cli, "export", show], check=True, capture_output=True,
                                             text=True).stdout)
        steps = exported["lines"][0]
        check(exported["title"] == "Made by hand", f"title {exported['title']!r}")
        check(exported["soundFile"] == sound, f"sound file {exported['soundFile']!r}")
        # A step goes to the time of the cursor's pixel column.
        step_times = [s["time"] for s in steps]
        check(len(step_times) == 3 and all(abs(t - want) <= 60 for t, want in zip(step_times, (100, 1100, 2100))),
              f"step times {step_times}")
        colours = {s["color"] for s in steps}
        check(len(colours) == 3 and "#000000" not in colours, f"step colours {colours}")
        with open(ini, encoding="utf-8") as f:
            settings = f.read()
        for key in (f"PrjFile={show}", f"File0={show}", "[ShortCut]", "LurillFormWidth="):
            check(key in settings, f"settings file lacks {key}")

        # The show given on the command line, played from the top through the Play menu.
        # Every millisecond where the colours fade, every 10 ms in the lead-in and run-out.
        times = [*range(-12000, 0, 10), *range(0, SOUND_MS + 1), *range(SOUND_MS + 10, SOUND_MS + 12001, 10)]
        out = subprocess.run([cli, "eval", show, *map(str, times)], check=True, capture_output=True,
                             text=True).stdout
        expected = {tuple(json.loads(line)["dmx"][:24]) for line in out.splitlines()}
        program = desk.start([binary, show], os.path.join(work, "second.log"))
        main_window = desk.wait_window("Made by hand")
        time.sleep(1.5)
        record = os.path.join(work, "peer.json")
        peer = subprocess.Popen(["ip", "netns", "exec", desk.node_ns, sys.executable,
                                 os.path.join(HERE, "show_peer.py"), "2.0.0.1", "9", "16.5", record])
        time.sleep(0.5)
        # The first item plays from the top: a new show's 10 s lead-in, then the 4 s sound.
        desk.keys(main_window, "alt+p", "Return")
        peer.wait(timeout=30)
        desk.shot(os.path.join(work, "played.png"), main_window)
        desk.keys(main_window, "alt+f", "x")
        wait_exit(program, "closing after the play")

        # A change left unsaved when the system ends the program (a logout, a shutdown): it
        # ends at once without asking, keeps the change as a recovery copy, and the next start
        # offers it.
        program = desk.start([binary, show], os.path.join(work, "third.log"))
        main_window = desk.wait_window("Made by hand")
        time.sleep(1.5)
        desk.keys(main_window, "ctrl+Right", "Up", "Up")  # the first step a little brighter
        time.sleep(0.5)
        started = time.time()
        program.send_signal(signal.SIGTERM)
        wait_exit(program, "ending on SIGTERM with a change unsaved", timeout=5)
        check(time.time() - started < 2.0, f"SIGTERM took {time.time() - started:.1f} s")
        notes = [n for n in os.listdir(recovery) if n.endswith(".txt")] if os.path.isdir(recovery) else []
        check(len(notes) == 1, f"recovery notes after SIGTERM: {notes}")
        with open(ini, encoding="utf-8") as f:
            check(f"PrjFile={show}" in f.read(), "the settings were not written at the SIGTERM")
        first_note = os.path.join(recovery, notes[0]) if notes else ""
        first_copy = first_note[:-len(".txt")] + ".PRJ"
        with open(first_copy, "rb") as f:
            first_bytes = f.read()

        # Kept for later (Escape); the show opens from its file, is edited the other way and the
        # program is ended again: a copy of its own beside the first, which stays as it was.
        program = desk.start([binary], os.path.join(work, "fourth.log"))
        question = desk.wait_window("ショーの復元")
        time.sleep(0.5)
        desk.shot(os.path.join(work, "recovery-offer.png"), question)
        desk.keys(question, "Escape")
        desk.wait_gone(question)
        main_window = desk.wait_window("Made by hand")
        time.sleep(1.0)
        desk.keys(main_window, "ctrl+Right", "Down", "Down")  # the first step a little darker
        time.sleep(0.5)
        program.send_signal(signal.SIGTERM)
        wait_exit(program, "ending on SIGTERM after a copy was kept for later", timeout=5)
        notes = sorted(n for n in os.listdir(recovery) if n.endswith(".txt"))
        check(len(notes) == 2, f"recovery notes after the second SIGTERM: {notes}")
        with open(first_copy, "rb") as f:
            check(f.read() == first_bytes, "the copy kept for later was overwritten")

        # The show's file is saved after the first copy was made: its offer warns of that.
        later = time.time() + 120
        os.utime(show, (later, later))
        # The newest copy first: discarded once the discard is confirmed. Then the first copy
        # is still offered, and opened.
        program = desk.start([binary], os.path.join(work, "fifth.log"))
        question = desk.wait_window("ショーの復元")
        desk.keys(question, "alt+d")
        desk.wait_gone(question)
        confirm = desk.wait_window("ショーの復元")
        time.sleep(0.5)
        desk.shot(os.path.join(work, "recovery-discard.png"), confirm)
        desk.keys(confirm, "Return")  # yes, discard it
        desk.wait_gone(confirm)
        question = desk.wait_window("ショーの復元")
        time.sleep(0.5)
        desk.shot(os.path.join(work, "recovery-newer-show.png"), question)
        desk.keys(question, "Return")  # open the copy
        desk.wait_gone(question)
        main_window = desk.wait_window("Made by hand")
        time.sleep(1.0)
        desk.keys(main_window, "alt+f", "s")
        time.sleep(1.0)
        desk.keys(main_window, "alt+f", "x")
        wait_exit(program, "closing after the recovered show was saved")
        check(not any(n.endswith(".txt") for n in os.listdir(recovery)), "a copy outlived the save")
        brighter = json.loads(subprocess.run([cli, "export", show], check=True, capture_output=True,
                                             text=True).stdout)["lines"][0][0]["brightness"]
        check(brighter > 0, f"the first copy's change did not reach the show: brightness {brighter}")

        # No copy can be written (the state folder is a file): the end keeps the show beside its
        # file, and the next start says where.
        blocked = os.path.join(work, "blocked")
        with open(blocked, "w") as f:
            f.write("a file where the state folder should be")
        program = desk.start([binary], os.path.join(work, "sixth.log"), {"XDG_STATE_HOME": blocked})
        main_window = desk.wait_window("Made by hand")
        time.sleep(1.5)
        desk.keys(main_window, "ctrl+Right", "Up")
        time.sleep(0.5)
        program.send_signal(signal.SIGTERM)
        wait_exit(program, "ending on SIGTERM with no place for a copy", timeout=5)
        kept = [n for n in os.listdir(work) if n.startswith("made-recovered-") and n.endswith(".PRJ")]
        check(len(kept) == 1, f"the show kept beside its file: {kept}")
        program = desk.start([binary], os.path.join(work, "seventh.log"), {"XDG_STATE_HOME": blocked})
        said = desk.wait_window("ショーの復元")
        time.sleep(0.5)
        desk.shot(os.path.join(work, "recovery-saved-elsewhere.png"), said)
        desk.keys(said, "Return")
        desk.wait_gone(said)
        main_window = desk.wait_window("Made by hand")
        desk.keys(main_window, "alt+f", "x")
        wait_exit(program, "closing after the place was said")

    with open(record) as f:
        frames = [f for f in json.load(f)["dmx"] if f[1] == 0]
    check(len(frames) > 100, f"only {len(frames)} frames on the node side")
    for f in frames:
        if tuple(f[2]) not in expected and any(f[2]):
            check(False, f"frame at {f[0]:.3f}s is no output of the show: {f[2][:6]}")
            break
    lit = {tuple(f[2][:3]) for f in frames if any(f[2][:3])}
    check(len(lit) >= 3, f"the show did not run through its steps: {len(lit)} distinct colours on line 1")
    return report(work)


def report(work):
    for text in failures:
        print("FAIL:", text)
    print(f"{len(failures)} failures; files in {work}")
    if not failures:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
