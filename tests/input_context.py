#!/usr/bin/python3
"""Holds an input context of fcitx5's with the focus, as an application's
text field would: fcitx5 then answers which input method is current.
Prints "ready" once the context has the focus, and stays connected, which
keeps it, until it is killed or a minute has passed."""

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
created = bus.call_sync("org.fcitx.Fcitx5", "/org/freedesktop/portal/inputmethod",
                        "org.fcitx.Fcitx.InputMethod1", "CreateInputContext",
                        GLib.Variant("(a(ss))", ([("program", "kblayouts-test")],)),
                        GLib.VariantType("(oay)"), Gio.DBusCallFlags.NONE, 5000, None)
bus.call_sync("org.fcitx.Fcitx5", created.unpack()[0], "org.fcitx.Fcitx.InputContext1",
              "FocusIn", None, None, Gio.DBusCallFlags.NONE, 5000, None)
print("ready", flush=True)
loop = GLib.MainLoop()
GLib.timeout_add_seconds(60, loop.quit)
loop.run()
