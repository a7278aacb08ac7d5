#!/usr/bin/env python3
"""Writes the demo show as lumenrill-cli's show JSON, to go with demo_sound's music (120 beats a
minute, a bar every 2 s, 15 bars; bars 3 to 13 play in full).

usage: make_demo_show.py OUTPUT.json

Line 1 flashes on every beat and fades before the next; line 2 follows the chords' colours;
lines 3 to 7 chase one another beat by beat; line 8 swells from dark to white and back. The
patch sends lines 1 to 8 to DMX slots 1 to 24, red, green and blue each."""
import json
import sys

BEAT = 500
BAR = 4 * BEAT
BARS = 15
FULL = range(2, BARS - 2)  # the bars with drums, bass and chords
DARK = -255

# The chords' colours: A minor, F, C and G.
CHORD_COLOURS = ["#FF2020", "#FF8C00", "#FFE040", "#3070FF"]
CHASE_COLOURS = ["#FF0040", "#FF8000", "#40FF40", "#00C0FF", "#A040FF"]


def step(time, colour, brightness=0):
    return {"time": time, "color": colour, "brightness": brightness}


def flash(time, colour, length):
    """Dark until time, full at time, faded out length later."""
    return [step(time - 1, colour, DARK), step(time, colour), step(time + length, colour, DARK)]


def beat_flashes():
    steps = [step(0, "#FFB060", DARK)]
    for bar in FULL:
        for beat in range(4):
            steps += flash(bar * BAR + beat * BEAT, "#FFB060", 350)
    return steps


def chord_colours():
    # Up from dark through the intro, then each bar's colour, blending into the next chord's
    # over the bar's last beat; dark again at the end.
    steps = [step(0, CHORD_COLOURS[0], DARK)]
    for bar in range(BARS):
        colour = CHORD_COLOURS[bar % 4]
        steps.append(step(bar * BAR + (BAR if bar == 0 else 0), colour))
        steps.append(step(bar * BAR + 3 * BEAT, colour))
    steps.append(step(BARS * BAR, CHORD_COLOURS[(BARS - 1) % 4], DARK))
    return [s for i, s in enumerate(steps) if i == 0 or s["time"] > steps[i - 1]["time"]]


def chase(line):
    """Line (0 to 4) of the chase: it lights on every fifth beat, one beat after the one before."""
    steps = [step(0, CHASE_COLOURS[line], DARK)]
    beats = [bar * 4 + beat for bar in FULL for beat in range(4)]
    for n, b in enumerate(beats):
        if n % 5 == line:
            steps += flash(b * BEAT, CHASE_COLOURS[(n // 5) % 5 if line % 2 else line], 450)
    return steps


def swell():
    colour = "#4060FF"
    return [step(0, colour, DARK), step(6 * BAR, colour, 255), step(8 * BAR, colour, 255),
            step(BARS * BAR, colour, DARK)]


def main():
    show = {
        "title": "Lumenrill Demo",
        "soundFile": "demo.wav",
        "soundFileTime": 0,
        "patch": [i if i < 24 else -1 for i in range(512)],
        "prePlayTime": 2000,
        "postPlayTime": 3000,
        "lines": [beat_flashes(), chord_colours(), *(chase(i) for i in range(5)), swell()],
    }
    with open(sys.argv[1], "w") as f:
        json.dump(show, f, indent=1)


if __name__ == "__main__":
    main()
