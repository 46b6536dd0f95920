#!/usr/bin/env python3
"""A fake Wayland compositor that answers one client in the way named by
its first argument, on the socket path given as its second, for the
program's tests. It prints "ready" once it listens, serves one client and
exits.

The client gets the registry, binds the first wl_seat, and asks for its
keyboard if it has one; each step ends with a wl_display.sync. "valid"
sends a keymap whose one group is "German", "two-groups" one of "German"
and "French"; "shrinking" sends the first padded to
15 MiB and truncates the file while the client reads it; the other ways
fail at one step."""

import os
import socket
import struct
import sys
import time

WAYS = {"valid", "silent", "close-mid-query", "no-seat", "no-keyboard",
        "silent-keyboard", "not-xkb", "size-zero", "size-past-file",
        "size-huge", "keymap-pipe", "protocol-error", "bind-in-round-trip", "shrinking",
        "two-groups"}
KEYMAP = b'xkb_keymap { xkb_symbols "(unnamed)" { name[Group1]="German"; }; };\0'
TWO_GROUPS = b'xkb_keymap { xkb_symbols { name[Group1]="German"; name[Group2]="French"; }; };\0'
XKB_V1 = 1


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data.ljust((len(data) + 3) & ~3, b"\0")


def event(client, object_id, opcode, arguments=b"", fds=()):
    header = struct.pack("<II", object_id, (8 + len(arguments)) << 16 | opcode)
    if fds:
        socket.send_fds(client, [header + arguments], list(fds))
    else:
        client.sendall(header + arguments)


def requests(client):
    """Yields each request's object, opcode and arguments."""
    data = b""
    while True:
        while len(data) < 8 or len(data) < struct.unpack_from("<I", data, 4)[0] >> 16:
            more = client.recv(4096)
            if not more:
                return
            data += more
        object_id, word = struct.unpack_from("<II", data)
        size = word >> 16
        yield object_id, word & 0xFFFF, data[8:size]
        data = data[size:]


def keymap(way):
    """The keymap event's format, file descriptor and size."""
    if way == "keymap-pipe":
        reading, writing = os.pipe()
        os.write(writing, KEYMAP)
        os.close(writing)
        return XKB_V1, reading, len(KEYMAP)
    fd = os.memfd_create("keymap")
    text = {"shrinking": KEYMAP[:-1].ljust(15 << 20, b" ") + b"\0",
            "two-groups": TWO_GROUPS}.get(way, KEYMAP)
    os.write(fd, text)
    size = {"size-zero": 0, "size-past-file": len(KEYMAP) + 8192,
            "size-huge": 0xFFFFFFFF}.get(way, len(text))
    return (0 if way == "not-xkb" else XKB_V1), fd, size


def done(client, callback):
    event(client, callback, 0, struct.pack("<I", 0))
    event(client, 1, 1, struct.pack("<I", callback))


def serve(way, client):
    """"bind-in-round-trip" answers the first sync only once the seat is
    bound, so that the seat's capabilities come with that answer."""
    registry = seat = keyboard = held = sent = None
    for object_id, opcode, arguments in requests(client):
        if way == "silent":
            continue
        if object_id == 1 and opcode == 1:
            registry = struct.unpack_from("<I", arguments)[0]
            if way == "close-mid-query":
                return
            if way != "no-seat":
                event(client, registry, 0, struct.pack("<I", 1) + string("wl_seat") +
                      struct.pack("<I", 1))
        elif object_id == 1 and opcode == 0:
            if way == "silent-keyboard" and keyboard:
                continue
            callback = struct.unpack_from("<I", arguments)[0]
            if way == "bind-in-round-trip" and seat is None:
                held = callback
                continue
            done(client, callback)
            if way == "shrinking" and sent is not None:
                time.sleep(0.002)
                os.ftruncate(sent, 0)
        elif object_id == registry and opcode == 0:
            seat = struct.unpack_from("<I", arguments, len(arguments) - 4)[0]
            if way == "protocol-error":
                event(client, 1, 0, struct.pack("<II", seat, 0) + string("invalid object"))
                continue
            event(client, seat, 0, struct.pack("<I", 0 if way == "no-keyboard" else 2))
            if held:
                done(client, held)
        elif object_id == seat and opcode == 1:
            keyboard = struct.unpack_from("<I", arguments)[0]
            if way == "silent-keyboard":
                continue
            format_, fd, size = keymap(way)
            event(client, keyboard, 0, struct.pack("<II", format_, size), [fd])
            if way == "shrinking":
                sent = fd
            else:
                os.close(fd)


def main():
    way, path = sys.argv[1], sys.argv[2]
    assert way in WAYS, way
    server = socket.socket(socket.AF_UNIX)
    server.bind(path)
    server.listen(1)
    server.settimeout(30)
    print("ready", flush=True)
    try:
        client, _ = server.accept()
        serve(way, client)
        client.close()
    except OSError:
        pass
    os.unlink(path)


if __name__ == "__main__":
    main()
