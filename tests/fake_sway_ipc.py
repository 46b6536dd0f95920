#!/usr/bin/env python3
"""A fake sway IPC socket that answers GET_INPUTS in the way named by its
first argument, on the socket path given as its second, for the library's
tests. It prints "ready" once it listens and serves until it is stopped.

"valid" lists a pointer, a keyboard without layouts and then one with two,
the second in use; "stall" never answers; "huge-length" claims 4 GiB;
"cut-short" ends its JSON early; "deep" nests arrays 100000 deep in the
keyboard it lists; the
others give an index out of range, negative or as a string, or
list 70 layouts with the 66th in use."""

import json
import os
import socket
import struct
import sys

GET_INPUTS = 100
KEYBOARD = {"identifier": "1:1:kb", "name": "kb", "type": "keyboard",
            "xkb_layout_names": ["Russian", "English (Dvorak)"],
            "xkb_active_layout_index": 1}


def inputs(way):
    """The payload of each way, as bytes."""
    pointer = {"identifier": "2:2:mouse", "type": "pointer", "libinput": {"accel": 0.5}}
    empty = dict(KEYBOARD, xkb_layout_names=[], xkb_active_layout_index=None)
    index = {"out-of-range": 5, "negative": -1, "string": "1", "many-layouts": 65}.get(way, 1)
    names = ["English (US)"] * 70 if way == "many-layouts" else KEYBOARD["xkb_layout_names"]
    devices = [pointer, empty, dict(KEYBOARD, xkb_active_layout_index=index,
                                    xkb_layout_names=names)]
    text = json.dumps(devices).encode()
    if way == "cut-short":
        return text[:len(text) - 20]
    if way == "deep":
        return b'[{"libinput": ' + b"[" * 100000 + b"]" * 100000 + b", " + \
            json.dumps(KEYBOARD).encode()[1:] + b"]"
    return text


def answer(way, client):
    header = client.recv(14)
    if len(header) < 14 or way == "stall":
        return
    payload = inputs(way)
    length = 0xFFFFFFFF if way == "huge-length" else len(payload)
    client.sendall(b"i3-ipc" + struct.pack("=II", length, GET_INPUTS) + payload)


def main():
    way, path = sys.argv[1], sys.argv[2]
    server = socket.socket(socket.AF_UNIX)
    server.bind(path)
    server.listen()
    print("ready", flush=True)
    held = []
    try:
        while True:
            client, _ = server.accept()
            answer(way, client)
            held.append(client)
    finally:
        os.unlink(path)


if __name__ == "__main__":
    main()
