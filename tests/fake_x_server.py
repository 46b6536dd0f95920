#!/usr/bin/env python3
"""A broken X server: it listens on the Unix socket given and takes one
client. It hangs up at once ("at-connect"), or sets the connection up and
then hangs up at the first request ("at-request"), or answers that request,
a query for an extension, with "not present" ("no-xkb")."""

import os
import socket
import struct
import sys

path, when = sys.argv[1], sys.argv[2]
server = socket.socket(socket.AF_UNIX)
server.bind(path)
server.listen(1)
print("ready", flush=True)
client, _ = server.accept()
if when != "at-connect":
    client.recv(4096)
    # A little-endian set-up reply with no screens and no pixmap formats.
    header = struct.pack("<BxHHH", 1, 11, 0, 8)
    body = struct.pack("<IIIIHHBBBBBBBB4x", 0, 0x200000, 0x1FFFFF, 0, 0,
                       0xFFFF, 0, 0, 0, 0, 32, 32, 8, 255)
    client.sendall(header + body)
    client.recv(4096)
if when == "no-xkb":
    client.sendall(struct.pack("<BxHI24x", 1, 1, 0))
    client.recv(4096)
client.close()
server.close()
os.unlink(path)
