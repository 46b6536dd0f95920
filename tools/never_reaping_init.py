"""PID 1 of a PID namespace that never reaps an orphan, as some containers'
init: runs the command given and exits with its status. Before the command
it leaves decoys named like every daemon the tests start: a zombie of each
as nobody and as root, and a live one as root, which a test that judges
processes by name, or takes a zombie for a running process, trips over.

    unshare --pid --fork --mount-proc python3 never_reaping_init.py COMMAND...
"""
import os
import subprocess
import sys
import tempfile

DAEMONS = ("ibus-daemon", "fcitx5", "fcitx", "dbus-daemon", "dbus-launch",
           "gnome-shell", "sway", "weston", "kwin_wayland", "Xvfb", "Xwayland")
NOBODY = 65534


def spawn(path, args, uid=None):
    """Starts path as a child that this process never waits for."""
    pid = os.fork()
    if pid == 0:
        try:
            if uid is not None:
                os.setgroups([])
                os.setgid(uid)
                os.setuid(uid)
            os.execv(path, [path] + args)
        finally:
            os._exit(127)


def leave_decoys(folder):
    """A zombie of each daemon as nobody and as root, and a live one as root.
    A process is named after the file it runs: a link to true ends at once,
    one to sleep stays."""
    for name in DAEMONS:
        zombie = os.path.join(folder, "zombie", name)
        live = os.path.join(folder, "live", name)
        os.symlink("/bin/true", zombie)
        os.symlink("/bin/sleep", live)
        spawn(zombie, [])
        spawn(zombie, [], NOBODY)
        spawn(live, ["100000"])


def main():
    if os.getpid() != 1:
        sys.exit("never_reaping_init.py: not the PID 1 of a namespace")
    with tempfile.TemporaryDirectory() as folder:
        os.chmod(folder, 0o755)
        for kind in ("zombie", "live"):
            os.mkdir(os.path.join(folder, kind), 0o755)
        leave_decoys(folder)
        # Only the command is waited for; every other child of this
        # process stays a zombie once it ends.
        status = subprocess.Popen(sys.argv[1:]).wait()
    sys.exit(status)


main()
