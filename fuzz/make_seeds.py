#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets (fuzz/corpus/<target>/)."""
import json
import os
import struct

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def put(target, name, data):
    folder = os.path.join(root, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


def step(line, time, duration, color, brightness, selected=0):
    return struct.pack("<iiiIiB3x", line, time, duration, color, brightness, selected) + bytes(28)


def utf16_field(text, units):
    raw = text.encode("utf-16-le")
    return raw + bytes(2 * units - len(raw))


def current_header(version="1.4.0.0", title="show", sound="music/a.wav"):
    h = utf16_field(version, 64) + utf16_field(title, 128) + utf16_field(sound, 260)
    h += struct.pack("<d", 45000.5)
    h += struct.pack("<512i", *[i if i < 24 else -1 for i in range(512)])
    h += struct.pack("<ii", 10000, 5000) + bytes(2048)
    assert len(h) == 5016
    return h


def old_header(version=b"1.2.4.0", title=b"\x96\xe9", sound=b"C:\\\x89\xb9\\a.wav"):
    h = version.ljust(64, b"\0") + title.ljust(128, b"\0") + sound.ljust(260, b"\0") + bytes(4)
    h += struct.pack("<d", 40000.25) + struct.pack("<512i", *([5] + [-1] * 511))
    h += struct.pack("<ii", 2000, 3000) + bytes(2048)
    assert len(h) == 4568
    return h


steps = step(0, 0, 1000, 0x0000FF, 0) + step(0, 1000, 0, 0xFF0000, 100) + step(3, -500, 0, 0x1FFFFFFF, -20, 1)
put("fuzz_project_file", "current", current_header() + steps + b"\x01" * 20)
put("fuzz_project_file", "old", old_header() + steps)
put("fuzz_project_file", "header-only", current_header())
put("fuzz_project_file", "bad-lines", current_header() + step(8, 0, 0, 0, 0) + step(-1, 0, 0, 0, 0))
put("fuzz_project_file", "tiny", b"\x01\x00\x02\x00\x03\x00\x04\x00")

put("fuzz_group_file", "three", step(0, 0, 200, 0xFF, 0) + step(0, 200, 0, 0xFF00, 5) + step(3, 100, 0, 0, -7))
put("fuzz_group_file", "partial", step(9, 0, 0, 0, 0) + step(1, 5, 0, 1, 0) + bytes(6))


def osc_string(s):
    b = s.encode() + b"\0"
    return b + bytes(-len(b) % 4)


def message(address, tags=",", args=b""):
    return osc_string(address) + osc_string(tags) + args


def bundle(msg):
    return osc_string("#bundle") + struct.pack(">II", 0, 1) + struct.pack(">I", len(msg)) + msg


put("fuzz_osc_decode", "play", bundle(message("/lumenrill/play")))
put("fuzz_osc_decode", "play-top", bundle(message("/lumenrill/play", ",s", osc_string("top"))))
put("fuzz_osc_decode", "play-at", bundle(message("/lumenrill/play", ",s", osc_string("00:01:30.50"))))
put("fuzz_osc_decode", "stop-int", bundle(message("/lumenrill/stop", ",if", struct.pack(">if", 3, 1.5))))
put("fuzz_osc_decode", "pause-badtag", bundle(message("/lumenrill/pause", "xyz")))
put("fuzz_osc_decode", "plain", message("/lumenrill/play"))

show = {
    "version": "1.4.0.0", "title": "夜の部", "soundFile": "music/a.wav", "soundFileTime": 45000.5,
    "patch": [i if i < 24 else -1 for i in range(512)], "prePlayTime": 2000, "postPlayTime": 3000,
    "lines": [[{"time": 0, "duration": 1000, "color": "#0000FF", "brightness": 0},
               {"time": 1000, "duration": 0, "color": None, "brightness": -10}]] + [[] for _ in range(7)],
}
put("fuzz_show_json", "show", json.dumps(show, ensure_ascii=False))
put("fuzz_show_json", "minimal", '{"lines": [[],[],[],[],[],[],[],[{"time": -1, "color": "#ABCDEF"}]]}')
put("fuzz_show_json", "bad", '{"lines": [[{"time": 2147483648}]], "title": 5}')


def artnet(op, body):
    return b"Art-Net\0" + struct.pack("<H", op) + body


reply = bytearray(240)
reply[0:8] = b"Art-Net\0"
reply[8:10] = b"\x00\x21"
reply[10:14] = bytes([2, 0, 0, 2])
reply[26:33] = b"SimNode"
reply[44:56] = b"Simulated node"
reply[172:174] = b"\x00\x01"
reply[190:194] = bytes([0x05, 0, 0, 0])
put("fuzz_artnet_receive", "poll-and-reply", artnet(0x2000, bytes([0, 14, 2, 0])) + bytes(reply))
put("fuzz_artnet_receive", "short-reply", bytes(reply[:100]))
put("fuzz_artnet_receive", "dmx", artnet(0x5000, bytes([0, 14, 0, 0, 0x35, 0, 2, 0]) + bytes(512)))

put("fuzz_ini_file", "settings", "[General]\nLeft=-50\nTop=0x10\nMaximized=2\n\n[Play]\nRepeat=1\n"
    "[PrjHistory]\nFile1=/home/a/show.PRJ\nFile2=\n")
put("fuzz_ini_file", "odd", "\ufeff[general]\r\nleft = 5\r\n; comment\n[General]\nLeft=abc\nnoequals\n[\n=x\n")


def chunk(cid, body):
    return cid + struct.pack("<I", len(body)) + body + bytes(len(body) & 1)


def wav(channels=1, rate=8000, bits=16, samples=b"", tag=1, fmt_extra=b"", before=b"", data_size=None):
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits) + fmt_extra
    data = b"data" + struct.pack("<I", len(samples) if data_size is None else data_size) + samples
    body = b"WAVE" + chunk(b"fmt ", fmt) + before + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def pcm16(frames, channels):
    return b"".join(struct.pack("<h", ((i * 2311 + c * 977) % 65536) - 32768)
                    for i in range(frames) for c in range(channels))


# At 100 Hz a 10 ms frame is one sample frame, so a few hundred bytes give many frames.
put("fuzz_wav_sound", "mono-100hz", wav(rate=100, samples=pcm16(250, 1)))
put("fuzz_wav_sound", "stereo-100hz-list", wav(channels=2, rate=100, samples=pcm16(130, 2),
                                               fmt_extra=bytes(2), before=chunk(b"LIST", b"INFOINAM\x03\0\0\0ab\0")))
put("fuzz_wav_sound", "8000hz", wav(rate=8000, samples=pcm16(200, 1)))
put("fuzz_wav_sound", "8bit", wav(channels=2, rate=200, bits=8, samples=bytes(range(200))))
put("fuzz_wav_sound", "size-lies", wav(rate=100, samples=pcm16(50, 1), data_size=0xFFFFFFFF))
put("fuzz_wav_sound", "junk-chunks", wav(rate=300, samples=pcm16(40, 1),
                                         before=chunk(b"fact", bytes(4)) + chunk(b"JUNK", b"\x07")))
put("fuzz_wav_sound", "truncated", wav(rate=100, samples=pcm16(20, 2))[:38])

put("fuzz_summary_file", "two", struct.pack("<8i", 1, -2, 32767, -32768, 0x01020304, -2**31, 2**31 - 1, 0))
put("fuzz_summary_file", "partial", struct.pack("<4i", 5, -6, 7, -8) + b"\xEE" * 9)


def tone_mp3(name, channels, rate, seconds, extra=()):
    """An MP3 made by lame from a generated tone; kept as committed when lame is missing."""
    import shutil
    import subprocess
    import tempfile
    if not shutil.which("lame"):
        return
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "tone.wav")
        out = os.path.join(tmp, "tone.mp3")
        with open(src, "wb") as f:
            f.write(wav(channels=channels, rate=rate, samples=pcm16(int(rate * seconds), channels)))
        subprocess.run(["lame", "--quiet", "-t", "-b", "8", *extra, src, out], check=True)
        with open(out, "rb") as f:
            put("fuzz_mp3", name, f.read())


tone_mp3("mono-8k", 1, 8000, 0.3)
tone_mp3("stereo-16k-tagged", 2, 16000, 0.2, ["--tt", "夜", "--add-id3v2"])
put("fuzz_mp3", "not-mp3", b"ID3\x03\0\0\0\0\0\x10" + bytes(16) + b"\xff\xfb\x90\x64" + bytes(40))


def patch_cell(entry, text):
    return struct.pack("<H", entry) + text.encode()


for name, entry, text in [("line-red", 0, "3R"), ("line-index", 4, "1-2"), ("blanks-case", 4, " 1g "),
                          ("colon", 0, "8:3"), ("source", 0, "24"), ("clear", 0, "-1"), ("empty", 0, ""),
                          ("last-row", 510, "2R"), ("no-line-9", 0, "9R"), ("plus", 7, "+1,+2")]:
    put("fuzz_patch_text", name, patch_cell(entry, text))

for name, text in [("ctrl-s", "Ctrl+S"), ("all-modifiers", "Shift+Ctrl+Alt+F12"), ("any-order", "alt+shift+pgdn"),
                   ("modifier-only", "Ctrl+"), ("f0", "F0"), ("named", "Esc"), ("digit", "Ctrl+7"),
                   ("twice", "Ctrl+Ctrl+A"), ("empty", "")]:
    put("fuzz_shortcut_text", name, text)


def arrangement(form, tiles, state=0, eol="\n"):
    lines = ["[ColMonForm]", "WinState=%d" % state] + ["Win%s=%d" % kv for kv in zip(
        ("Left", "Top", "Width", "Height"), form)]
    for n, (bounds, visible) in enumerate(tiles, 1):
        lines += ["", "[ColMon%d]" % n] + ["Win%s=%d" % kv for kv in zip(
            ("Left", "Top", "Width", "Height"), bounds)] + ["Visible=%d" % visible]
    return eol.join(lines) + eol


initial = [(((n - 1) % 4 * 110 + 10, (n - 1) // 4 * 110 + 10, 100, 100), 1) for n in range(1, 9)]
put("fuzz_arrangement_file", "initial", arrangement((230, 240, 480, 320), initial))
put("fuzz_arrangement_file", "maximised-hidden", arrangement((-1920, 0, 800, 600), [
    ((5, 5, 300, 40), n % 2) for n in range(8)], state=2, eol="\r\n"))
put("fuzz_arrangement_file", "odd", "[colmonform]\nwinstate=1\nWinLeft=0x7FFFFFF0\nWinWidth=4000\n"
    "[ColMon3]\nWinWidth=-5\nWinHeight=0\nVisible=abc\n[ColMon3]\nVisible=0\n[ColMon9]\nWinLeft=1\n")

for name, max_line, pieces, text in [("two-paths", 0x20, 7, b"/home/a/show.PRJ\n/tmp/b c.PRJ \n\n"),
                                      ("too-long", 8, 3, b"/a\n" + b"x" * 40 + b"\n/b\n"),
                                      ("nul-and-cr", 63, 1, b"/a\0b\n/c\r\n/unended")]:
    put("fuzz_hand_over_lines", name, bytes([max_line, pieces]) + text)

put("fuzz_recovery_record", "saved", "Lumenrill recovery\nShow=/home/a/Shows/Evening.PRJ\nSavedAt=1796961600\n")
put("fuzz_recovery_record", "untitled-crlf", "Lumenrill recovery\r\nShow=\r\nSavedAt=-5\r\n")
put("fuzz_recovery_record", "extra-lines", "Lumenrill recovery\nSavedAt=1\nOther=x\nShow=/a=b\nShow=/c\n")
put("fuzz_recovery_record", "escapes", "Lumenrill recovery\nShow=/a\\nb\\\\c\\r\r\nSavedAt=4\n")
put("fuzz_recovery_record", "as-record", struct.pack("<q", 1796961600) + b"/home/a/Evening.PRJ")
