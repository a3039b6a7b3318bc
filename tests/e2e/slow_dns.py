#!/usr/bin/env python3
"""A name server for the end-to-end tests, on 127.0.0.1:53 of a network
namespace of their own: it answers every query after a delay, an A query with
one address and any other with no record, like a slow name service.
Usage: slow_dns.py DELAY_SECONDS ADDRESS"""
import socket
import struct
import sys
import threading
import time

delay, address = float(sys.argv[1]), socket.inet_aton(sys.argv[2])
server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
server.bind(("127.0.0.1", 53))


def answer(query, peer):
    time.sleep(delay)
    ident = struct.unpack(">H", query[:2])[0]
    end = 12  # the question's name: labels up to a zero byte, then type and class
    while query[end]:
        end += query[end] + 1
    question = query[12:end + 5]
    is_a = struct.unpack(">H", query[end + 1:end + 3])[0] == 1
    # A response, recursion desired and available, no error; the record points at the question's name.
    header = struct.pack(">HHHHHH", ident, 0x8180, 1, 1 if is_a else 0, 0, 0)
    record = b"\xc0\x0c" + struct.pack(">HHIH", 1, 1, 60, 4) + address if is_a else b""
    server.sendto(header + question + record, peer)


while True:
    query, peer = server.recvfrom(512)
    threading.Thread(target=answer, args=(query, peer), daemon=True).start()
