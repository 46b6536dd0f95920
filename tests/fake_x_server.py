#!/usr/bin/env python3
"""An X server that goes away: it listens on the Unix socket given, takes
one client, and hangs up either at once ("at-connect") or after a valid
connection set-up, at the client's first request ("at-request")."""

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
if when == "at-request":
    client.recv(4096)
    # A little-endian set-up reply with no screens and no pixmap formats.
    header = struct.pack("<BxHHH", 1, 11, 0, 8)
    body = struct.pack("<IIIIHHBBBBBBBB4x", 0, 0x200000, 0x1FFFFF, 0, 0,
                       0xFFFF, 0, 0, 0, 0, 32, 32, 8, 255)
    client.sendall(header + body)
    client.recv(4096)
client.close()
server.close()
os.unlink(path)
