#!/usr/bin/env python3
"""Prints the group names of the keymap that the Wayland compositor named
by WAYLAND_DISPLAY sends its first seat's keyboard, joined by commas
("German,French"), so that a test can wait for a compositor to apply a
keymap before it asks the program. Prints nothing and exits with 1 where
there is no such keymap within 5 seconds."""

import mmap
import os
import re
import socket
import struct
import sys

DISPLAY, REGISTRY, SYNC, SEAT, SEAT_SYNC, KEYBOARD = 1, 2, 3, 4, 5, 6
KEYBOARD_CAPABILITY = 2


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data.ljust((len(data) + 3) & ~3, b"\0")


def request(connection, object_id, opcode, arguments=b""):
    header = struct.pack("<II", object_id, (8 + len(arguments)) << 16 | opcode)
    connection.sendall(header + arguments)


def events(connection):
    """Yields each event's object, opcode, arguments and the descriptors
    that came with it."""
    data, fds = b"", []
    while True:
        while len(data) < 8 or len(data) < struct.unpack_from("<I", data, 4)[0] >> 16:
            more, more_fds, _, _ = socket.recv_fds(connection, 4096, 4)
            if not more:
                return
            data += more
            fds += more_fds
        object_id, word = struct.unpack_from("<II", data)
        size = word >> 16
        yield object_id, word & 0xFFFF, data[8:size], fds
        data, fds = data[size:], []


def keymap_text(connection):
    """Binds the first seat, asks for its keyboard and returns its keymap."""
    request(connection, DISPLAY, 1, struct.pack("<I", REGISTRY))
    request(connection, DISPLAY, 0, struct.pack("<I", SYNC))
    seat = keyboard = None
    for object_id, opcode, arguments, fds in events(connection):
        if object_id == REGISTRY and opcode == 0 and seat is None:
            name, length = struct.unpack_from("<II", arguments)
            if arguments[8:8 + length - 1] == b"wl_seat":
                seat = name
                request(connection, REGISTRY, 0, struct.pack("<I", name) +
                        string("wl_seat") + struct.pack("<II", 1, SEAT))
                request(connection, DISPLAY, 0, struct.pack("<I", SEAT_SYNC))
        elif object_id == SEAT and opcode == 0:
            if struct.unpack_from("<I", arguments)[0] & KEYBOARD_CAPABILITY:
                keyboard = KEYBOARD
                request(connection, SEAT, 1, struct.pack("<I", KEYBOARD))
        elif object_id == KEYBOARD and opcode == 0 and fds:
            size = struct.unpack_from("<I", arguments, 4)[0]
            with mmap.mmap(fds[0], size, prot=mmap.PROT_READ) as text:
                return text[:].decode(errors="replace")
        elif (object_id == SYNC and seat is None or object_id == SEAT_SYNC and
              keyboard is None or object_id == DISPLAY and opcode == 0):
            sys.exit(1)
        for fd in fds:
            os.close(fd)
    sys.exit(1)


def main():
    path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
    connection = socket.socket(socket.AF_UNIX)
    connection.settimeout(5)
    try:
        connection.connect(path)
        text = keymap_text(connection)
    except OSError:
        sys.exit(1)
    print(",".join(re.findall(r'name\[group\d+\]\s*=\s*"([^"]*)"', text, re.I)))


if __name__ == "__main__":
    main()
