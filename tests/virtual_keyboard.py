#!/usr/bin/python3
"""Adds a virtual keyboard to a GNOME session through Mutter's RemoteDesktop
D-Bus API, as a remote desktop client would: the session's keyboard seat
then sends a keymap. Prints "ready" once a key has gone through, and stays
connected, which keeps the keyboard, until it is killed. Needs Debian's own
Python, which has GObject introspection (python3-gi)."""

from gi.repository import Gio, GLib

SERVICE = "org.gnome.Mutter.RemoteDesktop"
SESSION = SERVICE + ".Session"
KEY_A = 30
bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, interface, method, arguments=None, reply=None):
    return bus.call_sync(SERVICE, path, interface, method, arguments,
                         GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 5000, None)


def add_keyboard():
    """Starts a remote desktop session and presses a key in it, once the
    shell offers the service and is ready to: it may take more than 10
    seconds to start."""
    for _ in range(300):
        try:
            session = call("/org/gnome/Mutter/RemoteDesktop", SERVICE,
                           "CreateSession", reply="(o)").unpack()[0]
            call(session, SESSION, "Start")
            for pressed in (True, False):
                call(session, SESSION, "NotifyKeyboardKeycode",
                     GLib.Variant("(ub)", (KEY_A, pressed)))
            return
        except GLib.Error:
            GLib.usleep(100 * 1000)
    raise SystemExit(1)


add_keyboard()
print("ready", flush=True)
GLib.MainLoop().run()
