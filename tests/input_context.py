#!/usr/bin/python3
"""Holds an input context with the focus, as an application's text field
would, of fcitx5, or of fcitx 4 on the display number given after
"fcitx4": the framework then answers which input method is current, and
fcitx 4 switches to one at once. Prints "ready" once the context has the
focus, and stays connected, which keeps it, until it is killed or a
minute has passed."""

import os
import sys

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(name, path, interface, method, arguments=None, reply=None):
    return bus.call_sync(name, path, interface, method, arguments,
                         GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 5000, None)


if sys.argv[1:2] == ["fcitx4"]:
    name = f"org.fcitx.Fcitx-{sys.argv[2]}"
    context = call(name, "/inputmethod", "org.fcitx.Fcitx.InputMethod", "CreateICv3",
                   GLib.Variant("(si)", ("kblayouts-test", os.getpid())),
                   "(ibuuuu)").unpack()[0]
    call(name, f"/inputcontext_{context}", "org.fcitx.Fcitx.InputContext", "FocusIn")
else:
    path = call("org.fcitx.Fcitx5", "/org/freedesktop/portal/inputmethod",
                "org.fcitx.Fcitx.InputMethod1", "CreateInputContext",
                GLib.Variant("(a(ss))", ([("program", "kblayouts-test")],)),
                "(oay)").unpack()[0]
    call("org.fcitx.Fcitx5", path, "org.fcitx.Fcitx.InputContext1", "FocusIn")
print("ready", flush=True)
loop = GLib.MainLoop()
GLib.timeout_add_seconds(60, loop.quit)
loop.run()
