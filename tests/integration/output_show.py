"""What the output tests share: the show (a red ramp over lead-in, sound and run-out on
line 1) or one of a test's own, its own evaluation by lumenrill-cli eval, the virtual cable
between two network namespaces (by default 2.0.0.1 on the application side, 2.0.0.2 on the
node side), lumenrill-cli play as root or as an unprivileged user, OLA's olad as the node,
tshark's capture of the cable, and the checks of what a receiver recorded."""
import contextlib
import ctypes
import grp
import json
import math
import os
import pwd
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import time
import wave

SOUND_MS = 3000
PRE_MS = 1000
POST_MS = 1000
RAMP_END_MS = SOUND_MS + POST_MS  # line 1 red ramps from 0 at -1000 ms to 250 at the end


def write_wav(path, ms=SOUND_MS):
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(44100)
        frames = bytearray()
        for i in range(44100 * ms // 1000):
            v = int(3000 * math.sin(2 * math.pi * 440 * i / 44100))
            frames += struct.pack("<hh", v, v)
        w.writeframes(bytes(frames))


def make_show(cli, work):
    """Writes show.PRJ into work; returns {first 24 slots: [times]} of every ms of the show and
    the look at its end."""
    return import_show(cli, work, [[{"time": -PRE_MS, "color": "#000000"}, {"time": RAMP_END_MS, "color": "#FA0000"}],
                                   [{"time": -PRE_MS, "color": "#00FF00", "brightness": -128}]])


def import_show(cli, work, lines, pre_ms=PRE_MS, sound_ms=SOUND_MS, post_ms=POST_MS):
    """show.PRJ in work from the steps of the first lines and a tone of sound_ms; returns what
    make_show returns."""
    write_wav(os.path.join(work, "tone.wav"), sound_ms)
    show = {"title": "output", "soundFile": os.path.join(work, "tone.wav"), "prePlayTime": pre_ms,
            "postPlayTime": post_ms, "lines": lines + [[]] * (8 - len(lines))}
    with open(os.path.join(work, "show.json"), "w") as f:
        json.dump(show, f)
    subprocess.run([cli, "import", "show.json", "show.PRJ"], cwd=work, check=True)
    times = list(range(-pre_ms - 100, sound_ms + post_ms + 100))
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


def missing_tools(*tools):
    """Why a test that needs these programs cannot run here, or None."""
    missing = [tool for tool in tools if not shutil.which(tool)]
    return "needs " + ", ".join(missing) if missing else None


# An ordinary user: no capabilities to add an address or to take any other privilege.
UNPRIVILEGED = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--inh-caps=-all",
                "--bounding-set=-all"]


def missing_unprivileged_user():
    """Why a program cannot be run as UNPRIVILEGED here (a user namespace that maps only root),
    or None."""
    if subprocess.run([*UNPRIVILEGED, "true"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
        return "cannot run a program as the user nobody here"
    return None


def work_folder(prefix):
    """A new work folder that the unprivileged user may write to."""
    work = tempfile.mkdtemp(prefix=prefix)
    os.chmod(work, 0o777)
    return work


def unprivileged_environment(work):
    """The environment for a program run as UNPRIVILEGED: a home, settings, data, cache and
    runtime folder of its own inside work, so nothing of root's is read or written."""
    home = os.path.join(work, "home")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"), XDG_CACHE_HOME=os.path.join(home, "cache"),
               XDG_RUNTIME_DIR=os.path.join(home, "runtime"))
    uid, gid = pwd.getpwnam("nobody").pw_uid, grp.getgrnam("nogroup").gr_gid
    for key in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
        os.makedirs(env[key], mode=0o700, exist_ok=True)
        os.chown(env[key], uid, gid)
    return env


class Cable:
    """Two namespaces joined by a veth pair, lr-app on the application side and lr-node on the
    node side, each with the address given (a CIDR) or none (None); both removed at the end."""

    def __init__(self, tag, app="2.0.0.1/8", node="2.0.0.2/8"):
        self.app, self.node = f"lr-{tag}-app-{os.getpid()}", f"lr-{tag}-node-{os.getpid()}"
        self.addresses = {self.app: app, self.node: node}

    def __enter__(self):
        run = lambda *a: subprocess.run(list(a), check=True)
        run("ip", "netns", "add", self.app)
        run("ip", "netns", "add", self.node)
        run("ip", "-n", self.app, "link", "set", "lo", "up")
        run("ip", "-n", self.node, "link", "set", "lo", "up")
        run("ip", "-n", self.app, "link", "add", "lr-app", "type", "veth", "peer", "name", "lr-node")
        run("ip", "-n", self.app, "link", "set", "lr-node", "netns", self.node)
        for namespace, address in self.addresses.items():
            if address:
                self.add_address(namespace, address)
        run("ip", "-n", self.app, "link", "set", "lr-app", "up")
        run("ip", "-n", self.node, "link", "set", "lr-node", "up")
        return self

    def __exit__(self, *exc):
        subprocess.run(["ip", "netns", "del", self.app], check=False)
        subprocess.run(["ip", "netns", "del", self.node], check=False)

    def add_address(self, namespace, address):
        """Gives that side's end of the cable the address, with its broadcast address as on a LAN."""
        device = "lr-app" if namespace == self.app else "lr-node"
        subprocess.run(["ip", "-n", namespace, "addr", "add", address, "brd", "+", "dev", device], check=True)


_CLONE_NEWNET = 0x40000000


@contextlib.contextmanager
def inside(namespace):
    """Runs the block in the network namespace, so sockets made there belong to it and stay
    there after the block."""
    libc = ctypes.CDLL(None, use_errno=True)
    with open("/proc/self/ns/net") as home, open(f"/run/netns/{namespace}") as there:
        if libc.setns(there.fileno(), _CLONE_NEWNET) != 0:
            raise OSError(ctypes.get_errno(), f"setns into {namespace}")
        try:
            yield
        finally:
            if libc.setns(home.fileno(), _CLONE_NEWNET) != 0:
                raise OSError(ctypes.get_errno(), "setns back")


def player(cli, cable, work, *options, unprivileged=False):
    """The argument list and environment of lumenrill-cli play of show.PRJ on the application side."""
    user, env = (UNPRIVILEGED, unprivileged_environment(work)) if unprivileged else ([], None)
    return ["ip", "netns", "exec", cable.app, *user, cli, "play", "show.PRJ", "--osc-port", "9901", *options], env


def play(cli, cable, work, *options, unprivileged=False):
    """lumenrill-cli play from the top to the end on the application side."""
    command, env = player(cli, cable, work, "--start", "--exit-at-end", *options, unprivileged=unprivileged)
    return subprocess.run(command, cwd=work, env=env, capture_output=True, text=True, timeout=60)


def artnet_lines(stdout):
    """What play said about where Art-Net goes, in order: the text after each "Art-Net: "."""
    return [line[len("Art-Net: "):] for line in stdout.splitlines() if line.startswith("Art-Net: ")]


def sacn_fields(hex_text):
    """The fields of an E1.31 data packet that the tests read, or None for another packet."""
    d = bytes.fromhex(hex_text)
    if len(d) != 638 or d[18:22] != b"\0\0\0\x04":
        return None
    return {"name": d[44:108].rstrip(b"\0").decode(), "priority": d[108], "seq": d[111], "options": d[112],
            "universe": d[113] << 8 | d[114], "start": d[125], "slots": list(d[126:126 + 24]),
            "cid": d[22:38].hex()}


class Capture:
    """tshark capturing the node's end of the cable into path while the block runs."""

    def __init__(self, cable, path):
        self.cable, self.path = cable, path

    def __enter__(self):
        self.shark = subprocess.Popen(["ip", "netns", "exec", self.cable.node, "tshark", "-i", "lr-node", "-w",
                                       self.path], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        # tshark names the interface once it captures.
        for line in self.shark.stderr:
            if "Capturing on" in line:
                break
        return self

    def __exit__(self, *exc):
        time.sleep(1.0)  # the last packets reach the file before tshark stops
        self.shark.send_signal(signal.SIGINT)
        self.shark.communicate(timeout=20)


def datagrams(capture, port):
    """Every UDP datagram to or from port in the capture: (seconds since 1970, source,
    destination, payload)."""
    out = subprocess.run(["tshark", "-r", capture, "-Y", f"udp.port == {port}", "-T", "fields", "-E",
                          "separator=|", "-e", "frame.time_epoch", "-e", "ip.src", "-e", "ip.dst",
                          "-e", "udp.payload"], capture_output=True, text=True, check=True)
    rows = [line.split("|") for line in out.stdout.splitlines()]
    return [(float(t), src, dst, bytes.fromhex(payload)) for t, src, dst, payload in rows]


ARTNET_POLL, ARTNET_POLL_REPLY, ARTNET_DMX = 0x2000, 0x2100, 0x5000


def artnet_op(payload):
    """The OpCode of an Art-Net packet, or None for anything else."""
    if len(payload) < 10 or payload[:8] != b"Art-Net\0":
        return None
    return payload[8] | payload[9] << 8


def reply_port_addresses(payload):
    """The Port-Addresses an ArtPollReply offers DMX output on."""
    net, sub, ports = payload[18], payload[19], payload[173]
    return [net << 8 | sub << 4 | payload[190 + i] & 0x0F for i in range(min(4, ports)) if payload[174 + i] & 0x80]


# Every plugin but the one a test runs stays off: no USB scans, no other ports taken.
OLA_PLUGINS = ["artnet", "dummy", "e131", "espnet", "ftdidmx", "gpio", "karate", "kinet", "milinst", "opendmx",
               "openpixelcontrol", "osc", "pathport", "renard", "sandnet", "shownet", "spi", "stageprofi",
               "uartdmx", "usbdmx", "usbserial"]


OLA_RPC_PORT = 9010


class Olad:
    """OLA's olad on the node side, as the unprivileged user (it refuses root), with only one
    plugin, configured by the lines given (ola-PLUGIN.conf); stopped at the end."""

    def __init__(self, cable, work, plugin, device_name, config):
        self.cable, self.device_name = cable, device_name
        self.config = os.path.join(work, f"ola-{plugin}-{time.monotonic_ns()}")
        os.mkdir(self.config)
        for other in OLA_PLUGINS:
            with open(os.path.join(self.config, f"ola-{other}.conf"), "w") as f:
                f.write("enabled = true\n" + config if other == plugin else "enabled = false\n")
        os.chmod(self.config, 0o777)

    def __enter__(self):
        self.log = open(os.path.join(self.config, "olad.log"), "w")
        self.olad = subprocess.Popen(["ip", "netns", "exec", self.cable.node, *UNPRIVILEGED, "olad", "--config-dir",
                                      self.config, "--no-http", "--no-register-with-dns-sd", "-l", "3"],
                                     stdout=subprocess.DEVNULL, stderr=self.log)
        # OLA's client tools start an olad of their own (one that outlives the namespace) when
        # none answers: none runs before this one listens.
        self.listening = False
        for _ in range(100):
            with inside(self.cable.node):
                rpc = socket.socket()
            with rpc:
                self.listening = rpc.connect_ex(("127.0.0.1", OLA_RPC_PORT)) == 0
            if self.listening:
                break
            time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        # olad keeps running on SIGTERM while it winds down its plugins: wait, then kill.
        self.olad.send_signal(signal.SIGTERM)
        try:
            self.olad.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.olad.kill()
            self.olad.wait()
        self.log.close()

    def run(self, *command):
        return subprocess.run(["ip", "netns", "exec", self.cable.node, *UNPRIVILEGED, *command], capture_output=True,
                              text=True, timeout=20)

    def device(self):
        """OLA's id of the plugin's device once olad answers, or None."""
        for _ in range(100):
            for line in self.run("ola_dev_info").stdout.splitlines():
                if line.startswith("Device ") and self.device_name in line:
                    return line.split()[1].rstrip(":")
            time.sleep(0.1)
        return None

    def patch_input(self, universe):
        """Patches the device's first input port (what the network sends olad) to the OLA
        universe; a text saying what went wrong, or None."""
        if not self.listening:
            return "olad does not answer"
        device = self.device()
        if device is None:
            return f"olad shows no {self.device_name} device"
        patch = self.run("ola_patch", "--device", device, "--port", "0", "--input", "--universe", str(universe))
        return None if patch.returncode == 0 else f"ola_patch: {patch.stderr}"

    @contextlib.contextmanager
    def recording(self, universe, path):
        """ola_recorder recording the OLA universe into path while the block runs."""
        recorder = subprocess.Popen(["ip", "netns", "exec", self.cable.node, *UNPRIVILEGED, "ola_recorder", "--record",
                                     path, "--universes", str(universe)], stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL)
        try:
            time.sleep(1.0)  # the recorder registered for the universe
            yield
        finally:
            time.sleep(0.5)  # the last frames arrived
            recorder.send_signal(signal.SIGINT)
            recorder.wait(timeout=10)


def recorded_looks(path, universe):
    """The first 24 slots of each frame ola_recorder wrote for the OLA universe."""
    looks = []
    if not os.path.exists(path):
        return looks
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 2 and parts[0] == str(universe):
                values = [int(v) for v in parts[1].split(",")]
                looks.append(tuple((values + [0] * 24)[:24]))
    return looks


def show_problems(looks, expected, end_look):
    """What is wrong with the looks a receiver recorded while the show played from the top to
    its end: too few, not the show's own output, out of order, not ending on its last look."""
    problems = []
    if len(looks) <= 100:
        problems.append(f"{len(looks)} frames recorded")
    strange = [look for look in looks if look not in expected]
    if strange:
        problems.append(f"{len(strange)} recorded frames are no output of the show, first {strange[0][:6]}")
    shown = [min(expected[look]) for look in looks if look in expected]
    if shown != sorted(shown):
        problems.append("recorded out of order")
    if not looks or looks[-1] != end_look:
        problems.append("the last frame is not the show's last look")
    return problems


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
