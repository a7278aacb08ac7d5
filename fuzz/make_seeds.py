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
