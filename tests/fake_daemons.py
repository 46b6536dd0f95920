#!/usr/bin/python3
"""A fake fcitx5, fcitx 4 or dde-daemon on the session bus that answers in
the way named by its first argument, for the program's tests. It prints
"ready" once it owns its name, and serves until it is stopped.

fcitx5's controller: "valid" answers as fcitx5 5.0 does, with no
FullInputMethodGroupInfo; "full" as 5.1 does, with only
FullInputMethodGroupInfo; "stall" never answers; each "wrong-" way answers
one method with another type; "errors" answers every one with an error;
"many-items" lists 100 items; "unknown-items" lists items no input method
names, one of them 70000 bytes long. The current input method is an item
of the group, one no item names in "unknown-current", a number in
"wrong-current". "silent-bus" is a session bus, on the
socket path given as its second argument, that takes connections and never
answers.

fcitx 4's input methods, whose IMList property lists them: "fcitx4" as
fcitx 4 does, two of four enabled; "fcitx4-stall" never answers;
"fcitx4-wrong-type" gives each enabled flag, and the current input method,
as a number; "fcitx4-many" lists 1000 enabled; "fcitx4-long-names" begins
with 70000-byte names. Its current input method is the second, in an
active input context.

dde-daemon's keyboard, whose UserLayoutList property holds its list: "dde"
as v23 serves it, "dde-v20" as v20 does; "dde-stall" never answers;
"dde-wrong-type" gives the list as one string; "dde-many" lists 100
layouts. The current layout, CurrentLayout, is one of the list's, but in
"dde-unknown-current", and a number in "dde-wrong-current".

KWin's keyboard service, org.kde.keyboard: "kde" says the second layout
is in use; "kde-wrong-type" says so as a string, "kde-out-of-range" names
the eighth."""

import socket
import sys
import time

from gi.repository import Gio, GLib

NAME = "org.fcitx.Fcitx5"
INTERFACE = "org.fcitx.Fcitx.Controller1"
AVAILABLE = [("mozc", "Mozc", "Mozc", "", "あ", "ja", False),
             ("unikey", "Unikey", "Unikey", "", "VI", "vi", False),
             ("keyboard-de", "German", "", "", "de", "de", False)]


def full(items):
    return ("Default", "", "us", {},
            [(n, "", "", "", "", lang, "", False, "", {}) for n, lang in items])


# Each way's methods: name, input signature, output signature, reply.
VALID = {
    "CurrentInputMethodGroup": ("", "s", ("Default",)),
    "CurrentInputMethod": ("", "s", ("mozc",)),
    "InputMethodGroupInfo": ("s", "sa(ss)",
                             ("us", [("keyboard-de", ""), ("mozc", ""), ("unikey", "")])),
    "AvailableInputMethods": ("", "a(ssssssb)", (AVAILABLE,)),
}
WAYS = {
    "valid": VALID,
    "full": {"FullInputMethodGroupInfo": ("s", "sssa{sv}a(sssssssbsa{sv})",
                                          full([("unikey", "vi"), ("keyboard-fr", "fr")])),
             "CurrentInputMethod": ("", "s", ("keyboard-fr",))},
    "stall": VALID,
    "wrong-group": dict(VALID, CurrentInputMethodGroup=("", "i", (1,))),
    "wrong-items": dict(VALID, InputMethodGroupInfo=("s", "sa(si)", ("us", [("mozc", 1)]))),
    "wrong-available": dict(VALID, AvailableInputMethods=("", "as", (["mozc"],))),
    "wrong-full": {"FullInputMethodGroupInfo": ("s", "sa(ss)", ("us", [("mozc", "")]))},
    "errors": VALID,
    "many-items": dict(VALID, InputMethodGroupInfo=("s", "sa(ss)", ("us", [("mozc", "")] * 100))),
    "unknown-items": dict(VALID, InputMethodGroupInfo=("s", "sa(ss)", ("us", [
        ("no-such-im", ""), ("x" * 70000, ""), ("mozc", ""), ("keyboard-qq", "")]))),
    "unknown-current": dict(VALID, CurrentInputMethod=("", "s", ("no-such-im",))),
    "wrong-current": dict(VALID, CurrentInputMethod=("", "u", (2,))),
}


# Each dde-daemon way's name, object, interface and list, of its type.
DDE_V23 = ("org.deepin.dde.InputDevices1", "/org/deepin/dde/InputDevice1/Keyboard",
           "org.deepin.dde.InputDevice1.Keyboard")
DDE_V20 = ("com.deepin.daemon.InputDevices", "/com/deepin/daemon/InputDevice/Keyboard",
           "com.deepin.daemon.InputDevice.Keyboard")
DDE_LIST = ["us;", "de;nodeadkeys", "fr;", ";", "no-such-layout;"]
DDE_WAYS = {
    "dde": (DDE_V23, "as", DDE_LIST, GLib.Variant("s", "de;nodeadkeys")),
    "dde-v20": (DDE_V20, "as", ["ru;", "us;dvorak"], GLib.Variant("s", "us;dvorak")),
    "dde-stall": (DDE_V23, "as", DDE_LIST, GLib.Variant("s", "fr;")),
    "dde-wrong-type": (DDE_V23, "s", "us;", GLib.Variant("s", "us;")),
    "dde-many": (DDE_V23, "as", ["us;"] * 100, GLib.Variant("s", "us;")),
    "dde-unknown-current": (DDE_V23, "as", DDE_LIST, GLib.Variant("s", "de;neo")),
    "dde-wrong-current": (DDE_V23, "as", DDE_LIST, GLib.Variant("u", 2)),
}

# Each fcitx 4 way's IMList, of its type: (name, unique name, language,
# enabled), the enabled ones first.
FCITX4_LIST = [("Keyboard - German", "fcitx-keyboard-de", "", True),
               ("Pinyin", "pinyin", "zh_CN", True),
               ("Keyboard - French", "fcitx-keyboard-fr", "", False),
               ("Mozc", "mozc", "ja", False)]
FCITX4_WAYS = {
    "fcitx4": ("a(sssb)", FCITX4_LIST),
    "fcitx4-stall": ("a(sssb)", FCITX4_LIST),
    "fcitx4-wrong-type": ("a(sssi)", [(n, u, lang, 1) for n, u, lang, _ in FCITX4_LIST]),
    "fcitx4-many": ("a(sssb)", [("Mozc", "mozc", "ja", True)] * 1000),
    "fcitx4-long-names": ("a(sssb)", [("x" * 70000, "y" * 70000, "ja", True),
                                      ("Mozc", "mozc", "ja", True)]),
}


def introspection(interface, methods, properties=""):
    def arg(direction, signature):
        return "".join(f'<arg direction="{direction}" type="{t}"/>'
                       for t in GLib.Variant.split_signature(f"({signature})"))
    body = "".join(f'<method name="{name}">{arg("in", i)}{arg("out", o)}</method>'
                   for name, (i, o, _) in methods.items())
    return f'<node><interface name="{interface}">{body}{properties}</interface></node>'


def silent_bus(path):
    server = socket.socket(socket.AF_UNIX)
    server.bind(path)
    server.listen()
    print("ready", flush=True)
    clients = []
    while True:
        clients.append(server.accept())


def serve(bus, name, path, node, method_call=None, get_property=None):
    bus.register_object(path, node.interfaces[0], method_call, get_property, None)

    def acquired(*_):
        print("ready", flush=True)
    Gio.bus_own_name_on_connection(bus, name, Gio.BusNameOwnerFlags.NONE, acquired, None)
    GLib.MainLoop().run()


def fcitx5(bus, way):
    methods = WAYS[way]
    stalled = []

    def call(connection, sender, path, interface, method, parameters, invocation):
        if way == "stall":
            stalled.append(invocation)
        elif way == "errors":
            invocation.return_dbus_error("org.freedesktop.DBus.Error.Failed", "no")
        else:
            _, signature, reply = methods[method]
            invocation.return_value(GLib.Variant(f"({signature})", reply))

    node = Gio.DBusNodeInfo.new_for_xml(introspection(INTERFACE, methods))
    serve(bus, NAME, "/controller", node, method_call=call)


def dde(bus, way):
    (name, path, interface), signature, value, current = DDE_WAYS[way]

    def get(connection, sender, path, interface, prop):
        if way == "dde-stall":
            time.sleep(3600)
        return current if prop == "CurrentLayout" else GLib.Variant(signature, value)

    node = Gio.DBusNodeInfo.new_for_xml(introspection(interface, {}, (
        f'<property name="UserLayoutList" type="{signature}" access="read"/>'
        f'<property name="CurrentLayout" type="{current.get_type_string()}" access="read"/>')))
    serve(bus, name, path, node, get_property=get)


def fcitx4(bus, way):
    """Serves as fcitx 4 on display 0, under its name, so that an address
    file may name this process."""
    with open("/proc/self/comm", "w") as comm:
        comm.write("fcitx")
    signature, value = FCITX4_WAYS[way]
    current = ("", "i", (1,)) if way == "fcitx4-wrong-type" else ("", "s", (value[1][1],))

    def get(connection, sender, path, interface, prop):
        if way == "fcitx4-stall":
            time.sleep(3600)
        return GLib.Variant(signature, value)

    methods = {"GetCurrentIM": current, "GetCurrentState": ("", "i", (2,))}

    def call(connection, sender, path, interface, method, parameters, invocation):
        _, signature, reply = methods[method]
        invocation.return_value(GLib.Variant(f"({signature})", reply))

    node = Gio.DBusNodeInfo.new_for_xml(introspection(
        "org.fcitx.Fcitx.InputMethod", methods,
        f'<property name="IMList" type="{signature}" access="read"/>'))
    serve(bus, "org.fcitx.Fcitx-0", "/inputmethod", node, method_call=call, get_property=get)


KDE_WAYS = {"kde": ("u", 1), "kde-wrong-type": ("s", "1"), "kde-out-of-range": ("u", 7)}


def kde(bus, way):
    signature, layout = KDE_WAYS[way]
    methods = {"getLayout": ("", signature, (layout,))}

    def call(connection, sender, path, interface, method, parameters, invocation):
        invocation.return_value(GLib.Variant(f"({signature})", (layout,)))

    node = Gio.DBusNodeInfo.new_for_xml(introspection("org.kde.KeyboardLayouts", methods))
    serve(bus, "org.kde.keyboard", "/Layouts", node, method_call=call)


def main():
    way = sys.argv[1]
    if way == "silent-bus":
        silent_bus(sys.argv[2])
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    serving = {"dde": dde, "fcitx4": fcitx4, "kde": kde}.get(way.split("-")[0], fcitx5)
    serving(bus, way)


if __name__ == "__main__":
    main()
