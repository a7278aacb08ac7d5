"""A desktop for driving the real program as a person would: a private X display (Xvfb), a
pair of network namespaces joined by a virtual cable (the program on one side at 2.0.0.1,
Art-Net peers on the other at 2.0.0.2), and xdotool for keys, typing and clicks. Needs root
(network namespaces), Xvfb, xdotool and ImageMagick's import. Used by the whole-program
tests and by scripts/screenshots.
"""
import os
import shutil
import subprocess
import tempfile
import time


def missing_tools():
    """The tools this needs that are not installed, as one text (empty when all are)."""
    return " ".join(t for t in ("Xvfb", "xdotool", "import", "ip") if not shutil.which(t))


def _free_display():
    for n in range(90, 300):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return n
    raise RuntimeError("no free X display number")


def _run(*args):
    subprocess.run(args, check=True)


class DesktopSession:
    def __init__(self, width=1280, height=800, lsan_suppressions=None):
        self.width, self.height = width, height
        self.lsan_suppressions = lsan_suppressions
        tag = str(os.getpid())
        self.app_ns, self.node_ns = f"lr-app-{tag}", f"lr-node-{tag}"
        self.xvfb = None
        self.programs = []
        self.display = None
        self.env = None

    def __enter__(self):
        try:
            self._network()
            self._screen()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        for p in self.programs:
            if p.poll() is None:
                p.kill()
                p.wait()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()
        subprocess.run(["ip", "netns", "del", self.app_ns], check=False, stderr=subprocess.DEVNULL)
        subprocess.run(["ip", "netns", "del", self.node_ns], check=False, stderr=subprocess.DEVNULL)
        return False

    def _network(self):
        _run("ip", "netns", "add", self.app_ns)
        _run("ip", "netns", "add", self.node_ns)
        _run("ip", "-n", self.app_ns, "link", "set", "lo", "up")
        _run("ip", "-n", self.node_ns, "link", "set", "lo", "up")
        _run("ip", "-n", self.app_ns, "link", "add", "lr-app", "type", "veth", "peer", "name", "lr-node")
        _run("ip", "-n", self.app_ns, "link", "set", "lr-node", "netns", self.node_ns)
        _run("ip", "-n", self.app_ns, "addr", "add", "2.0.0.1/8", "dev", "lr-app")
        _run("ip", "-n", self.node_ns, "addr", "add", "2.0.0.2/8", "dev", "lr-node")
        _run("ip", "-n", self.app_ns, "link", "set", "lr-app", "up")
        _run("ip", "-n", self.node_ns, "link", "set", "lr-node", "up")

    def _screen(self):
        self.display = _free_display()
        self.xvfb = subprocess.Popen(
            ["Xvfb", f":{self.display}", "-screen", "0", f"{self.width}x{self.height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(200):
            if os.path.exists(f"/tmp/.X11-unix/X{self.display}"):
                break
            time.sleep(0.05)
        self.env = dict(os.environ, DISPLAY=f":{self.display}", QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=tempfile.mkdtemp(prefix="lumenrill-xdg-"))
        self.env.pop("WAYLAND_DISPLAY", None)
        if self.lsan_suppressions:
            # Leaks inside the desktop's own libraries (D-Bus, fontconfig) are not ours.
            self.env["LSAN_OPTIONS"] = "suppressions=" + self.lsan_suppressions

    def start(self, args, log_path, extra_env=None):
        """Starts a program on the program side of the cable."""
        env = dict(self.env, **(extra_env or {}))
        log = open(log_path, "w")
        p = subprocess.Popen(["ip", "netns", "exec", self.app_ns, *args], env=env, stdout=log, stderr=log)
        self.programs.append(p)
        return p

    def on_node_side(self, args, **kwargs):
        """Runs a peer on the node side of the cable and waits for it."""
        return subprocess.run(["ip", "netns", "exec", self.node_ns, *args], check=True, **kwargs)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                              capture_output=True, text=True).stdout

    def wait_window(self, name, timeout=20.0):
        """The id of the visible window whose title is name (a regular expression)."""
        end = time.time() + timeout
        while time.time() < end:
            out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=self.env,
                                 capture_output=True, text=True).stdout.split()
            if out:
                return out[-1]
            time.sleep(0.1)
        raise TimeoutError(f"no window named {name!r} appeared")

    def wait_gone(self, window, timeout=10.0):
        end = time.time() + timeout
        while time.time() < end:
            r = subprocess.run(["xdotool", "getwindowname", window], env=self.env, capture_output=True)
            visible = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], env=self.env,
                                     capture_output=True, text=True).stdout.split()
            if r.returncode != 0 or window not in visible:
                return
            time.sleep(0.1)
        raise TimeoutError(f"window {window} stayed open")

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def focus(self, window):
        # Without a window manager the input focus goes where it is put.
        self.xdotool("windowfocus", "--sync", window)

    def keys(self, window, *keys, pause=0.15):
        """Presses key chords one after another (xdotool names: "alt+f", "Return")."""
        self.focus(window)
        for k in keys:
            self.xdotool("key", "--clearmodifiers", k)
            time.sleep(pause)

    def type(self, window, text):
        self.focus(window)
        self.xdotool("type", "--delay", "20", text)
        time.sleep(0.2)

    def click(self, x, y, button=1, double=False):
        """Clicks at a screen position."""
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", *(["--repeat", "2", "--delay", "80"] if double else []), button)
        time.sleep(0.2)

    def shot(self, path, window="root"):
        subprocess.run(["import", "-display", f":{self.display}", "-window", str(window), path],
                       env=self.env, check=True)


class SoundServer:
    """A private PulseAudio with only a null sink, for runs outside scripts/test (which has
    its own): nothing reaches the machine's speakers."""

    def __enter__(self):
        self.dir = tempfile.mkdtemp(prefix="lumenrill-pulse-")
        self.env = {"PULSE_RUNTIME_PATH": self.dir, "PULSE_SERVER": f"unix:{self.dir}/native"}
        env = dict(os.environ, **self.env)
        self.server = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n",
             "--load=module-null-sink sink_name=null", "--load=module-native-protocol-unix"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if subprocess.run(["pactl", "info"], env=env, capture_output=True).returncode == 0:
                return self
            time.sleep(0.1)
        self.__exit__()
        raise RuntimeError("the private PulseAudio did not answer")

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait()
        shutil.rmtree(self.dir, ignore_errors=True)
        return False
