"""What the end-to-end tests of lumenrill-cli play share: whether the private sound server is
there, and two network namespaces joined by a virtual cable (the player's side 2.0.0.1, the
peer's side 2.0.0.2), removed again however the test ends."""
import contextlib
import os
import subprocess


def missing_sound_server():
    """Why a player cannot run here, or None."""
    if os.geteuid() != 0:
        return "needs root for network namespaces"
    if not os.environ.get("PULSE_SERVER"):
        return "needs the private test sound server named in PULSE_SERVER"
    try:
        answered = subprocess.run(["pactl", "info"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
    except FileNotFoundError:
        answered = False
    if not answered:
        return "the sound server at " + os.environ["PULSE_SERVER"] + " does not answer"
    return None


@contextlib.contextmanager
def cable(name):
    """Yields the names of the player's and the peer's namespaces."""
    app, node = f"lr-{name}-app-{os.getpid()}", f"lr-{name}-node-{os.getpid()}"
    run = lambda *a: subprocess.run(list(a), check=True)
    try:
        run("ip", "netns", "add", app)
        run("ip", "netns", "add", node)
        run("ip", "-n", app, "link", "set", "lo", "up")
        run("ip", "-n", node, "link", "set", "lo", "up")
        run("ip", "-n", app, "link", "add", "lr-app", "type", "veth", "peer", "name", "lr-node")
        run("ip", "-n", app, "link", "set", "lr-node", "netns", node)
        run("ip", "-n", app, "addr", "add", "2.0.0.1/8", "dev", "lr-app")
        run("ip", "-n", node, "addr", "add", "2.0.0.2/8", "dev", "lr-node")
        run("ip", "-n", app, "link", "set", "lr-app", "up")
        run("ip", "-n", node, "link", "set", "lr-node", "up")
        yield app, node
    finally:
        subprocess.run(["ip", "netns", "del", app], check=False)
        subprocess.run(["ip", "netns", "del", node], check=False)
