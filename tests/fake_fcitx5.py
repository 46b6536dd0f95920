#!/usr/bin/python3
"""A fake fcitx5 on the session bus that answers its controller's methods in
the way named by its first argument, for the program's tests. It prints
"ready" once it owns fcitx5's name, and serves until it is stopped.

"valid" answers as fcitx5 5.0 does, with no FullInputMethodGroupInfo;
"full" as 5.1 does, with only FullInputMethodGroupInfo; "stall" never
answers; each "wrong-" way answers one method with another type; "errors"
answers every one with an error; "many-items" lists 100 items;
"unknown-items" lists items no input method names, one of them 70000
bytes long. "silent-bus" is a session bus, on the socket path given as
its second argument, that takes connections and never answers."""

import socket
import sys

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
    "InputMethodGroupInfo": ("s", "sa(ss)",
                             ("us", [("keyboard-de", ""), ("mozc", ""), ("unikey", "")])),
    "AvailableInputMethods": ("", "a(ssssssb)", (AVAILABLE,)),
}
WAYS = {
    "valid": VALID,
    "full": {"FullInputMethodGroupInfo": ("s", "sssa{sv}a(sssssssbsa{sv})",
                                          full([("unikey", "vi"), ("keyboard-fr", "fr")]))},
    "stall": VALID,
    "wrong-group": dict(VALID, CurrentInputMethodGroup=("", "i", (1,))),
    "wrong-items": dict(VALID, InputMethodGroupInfo=("s", "sa(si)", ("us", [("mozc", 1)]))),
    "wrong-available": dict(VALID, AvailableInputMethods=("", "as", (["mozc"],))),
    "wrong-full": {"FullInputMethodGroupInfo": ("s", "sa(ss)", ("us", [("mozc", "")]))},
    "errors": VALID,
    "many-items": dict(VALID, InputMethodGroupInfo=("s", "sa(ss)", ("us", [("mozc", "")] * 100))),
    "unknown-items": dict(VALID, InputMethodGroupInfo=("s", "sa(ss)", ("us", [
        ("no-such-im", ""), ("x" * 70000, ""), ("mozc", ""), ("keyboard-qq", "")]))),
}


def introspection(methods):
    def arg(direction, signature):
        return "".join(f'<arg direction="{direction}" type="{t}"/>'
                       for t in GLib.Variant.split_signature(f"({signature})"))
    body = "".join(f'<method name="{name}">{arg("in", i)}{arg("out", o)}</method>'
                   for name, (i, o, _) in methods.items())
    return f'<node><interface name="{INTERFACE}">{body}</interface></node>'


def silent_bus(path):
    server = socket.socket(socket.AF_UNIX)
    server.bind(path)
    server.listen()
    print("ready", flush=True)
    clients = []
    while True:
        clients.append(server.accept())


def main():
    way = sys.argv[1]
    if way == "silent-bus":
        silent_bus(sys.argv[2])
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

    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    node = Gio.DBusNodeInfo.new_for_xml(introspection(methods))
    bus.register_object("/controller", node.interfaces[0], call)

    def acquired(*_):
        print("ready", flush=True)
    Gio.bus_own_name_on_connection(bus, NAME, Gio.BusNameOwnerFlags.NONE, acquired, None)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
