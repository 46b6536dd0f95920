#!/usr/bin/env python3
"""A fake X server that answers one client in the way named by its
argument, for the program's tests. It takes a free display number, prints
it, serves one client and exits.

The client asks QueryExtension for XKEYBOARD; then XKB UseExtension,
GetNames and GetControls together; then GetAtomName for the symbols name
and each group's name. "valid" answers all of it for the groups "de" and
"fr"; the other ways fail at one step."""

import os
import socket
import struct
import sys
import time

WAYS = {"valid", "at-connect", "silent-setup", "silent-extension",
        "no-xkb", "silent-names", "x-error", "names-no-data", "truncated",
        "huge-length", "close-mid-query", "silent-atoms", "atom-length-lie",
        "tcp-no-answer"}
XKB = 135
SYMBOLS, GROUP_NAMES = 4, 4096
ATOMS = {100: b"pc+de+fr:2+inet(evdev)", 101: b"German", 102: b"French"}


def listen(way):
    """A listening socket on a display number nobody else has."""
    for number in range(100, 1000):
        if way == "tcp-no-answer":
            server = socket.socket()
            address = ("127.0.0.1", 6000 + number)
        else:
            # Binding the abstract name claims the number as X servers do.
            path = f"/tmp/.X11-unix/X{number}"
            if os.path.exists(path):
                continue
            claim = socket.socket(socket.AF_UNIX)
            try:
                claim.bind("\0" + path)
            except OSError:
                continue
            server = socket.socket(socket.AF_UNIX)
            address = path
        try:
            server.bind(address)
        except OSError:
            continue
        server.listen(0)
        return server, number, address
    sys.exit("no free display")


def reply(sequence, body=b"", extra=b"", length=None, detail=0):
    """A reply: 32 bytes with the sequence number, then extra."""
    words = len(extra) // 4 if length is None else length
    return (struct.pack("<BBHI", 1, detail, sequence, words) +
            body.ljust(24, b"\0") + extra)


def requests(client):
    """Yields each request's opcodes and data, numbered from 1."""
    data, sequence = b"", 0
    while True:
        while len(data) < 4 or len(data) < 4 * struct.unpack_from("<H", data, 2)[0]:
            more = client.recv(4096)
            if not more:
                return
            data += more
        size = 4 * struct.unpack_from("<H", data, 2)[0]
        sequence += 1
        yield sequence, data[0], data[1], data[:size]
        data = data[size:]


def answer(way, sequence, major, minor, request):
    """The bytes that answer one request, or None for silence."""
    if major == 98:
        if way == "silent-extension":
            return None
        return reply(sequence, struct.pack("<BBBB", way != "no-xkb", XKB, 0, 0))
    if major == XKB and minor == 0:
        return reply(sequence, struct.pack("<HH", 1, 0), detail=1)
    if major == XKB and minor == 17:
        if way == "silent-names":
            return None
        if way == "x-error":
            return struct.pack("<BBHI", 0, 2, sequence, 0).ljust(32, b"\0")
        header = struct.pack("<IBBBBHBBIBBH4x", SYMBOLS | GROUP_NAMES, 8, 255, 0,
                             0x3, 0, 0, 0, 0, 0, 0, 0)
        values = struct.pack("<III", 100, 101, 102)
        if way == "names-no-data":
            return reply(sequence, header[:24], b"")
        if way == "huge-length":
            return reply(sequence, header[:24], values, length=0xFFFFFF)
        return reply(sequence, header[:24], values)
    if major == XKB and minor == 6:
        # The controls come to 92 bytes: 60 after the first 32.
        return reply(sequence, struct.pack("<BB", 0, 2), bytes(60))
    if major == 17:
        if way == "silent-atoms":
            return None
        name = ATOMS.get(struct.unpack_from("<I", request, 4)[0], b"")
        padded = name.ljust((len(name) + 3) & ~3, b"\0")
        if way == "atom-length-lie":
            return reply(sequence, struct.pack("<H", 65535), padded)
        return reply(sequence, struct.pack("<H", len(name)), padded)
    return None


def setup_reply():
    """A little-endian set-up reply with no screens and no pixmap formats."""
    body = struct.pack("<IIIIHHBBBBBBBB4x", 0, 0x200000, 0x1FFFFF, 0, 0,
                       0xFFFF, 0, 0, 0, 0, 32, 32, 8, 255)
    return struct.pack("<BxHHH", 1, 11, 0, len(body) // 4) + body


def serve(way, client):
    if way == "at-connect":
        return
    client.recv(4096)
    if way == "silent-setup":
        while client.recv(4096):
            pass
        return
    client.sendall(setup_reply())
    for sequence, major, minor, request in requests(client):
        if way == "close-mid-query" and major == XKB:
            return
        bytes_ = answer(way, sequence, major, minor, request)
        if way == "truncated" and major == XKB and minor == 17:
            client.sendall(bytes_[:20])
            return
        if bytes_ is not None:
            client.sendall(bytes_)


def main():
    way = sys.argv[1]
    assert way in WAYS, way
    server, number, address = listen(way)
    print(number, flush=True)
    if way == "tcp-no-answer":
        # One connection fills a backlog of 0: the next one's SYNs are
        # dropped, as by a host that does not answer.
        filler = socket.create_connection(address)
        time.sleep(30)
        filler.close()
        return
    server.settimeout(30)
    try:
        client, _ = server.accept()
        serve(way, client)
        client.close()
    except OSError:
        pass
    finally:
        os.unlink(address)


if __name__ == "__main__":
    main()
