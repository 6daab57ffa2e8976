#!/usr/bin/env python3
"""A fake master list server and fake game servers' information responders on loopback, for
trying the game's server browser by hand (master host 127.0.0.1 in kalvon.ini's [Network]).

The master answers "GETLIST" on 127.0.0.1:21347 with the servers below; each responder answers
"GETINFO" on its own loopback address at UDP port 21435 minus its game port, after a delay of its
own, so the pings differ. One listed server never answers. Stop it with Ctrl+C.
"""

import socket
import threading
import time

MASTER = ("127.0.0.1", 21347)

# (address, game port, name, clients, client limit, rooms, answer delay in seconds)
SERVERS = [
    ("127.0.0.2", 90, "Alpha Arena", 3, 6, 2, 0.03),
    ("127.0.0.3", 90, "Beta Blocks", 0, 4, 1, 0.08),
    ("127.0.0.4", 9090, "Gamma Grid", 5, 6, 4, 0.15),
    ("127.0.0.5", 90, None, 0, 0, 0, 0),  # listed, never answers
]


def info_reply(port, name, clients, limit, rooms):
    counts = bytes([150 + clients, 150 + limit, 150 + rooms])
    return b"z " + counts + str(port).encode() + b"\r" + name.encode("cp1252") + b"\r\n"


def serve_master():
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(MASTER)
    listing = b"".join(b"{ %s:%d\r\n" % (a.encode(), p) for a, p, *_ in SERVERS)
    while True:
        data, sender = sock.recvfrom(65536)
        print("master: %r from %s:%d" % (data, *sender), flush=True)
        if data == b"GETLIST\r\n":
            sock.sendto(listing, sender)


def serve_info(address, port, name, clients, limit, rooms, delay):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind((address, 21435 - port))
    while True:
        data, sender = sock.recvfrom(65536)
        print("%s: %r from %s:%d" % (name, data, *sender), flush=True)
        if data == b"GETINFO\r\n":
            time.sleep(delay)
            sock.sendto(info_reply(port, name, clients, limit, rooms), sender)


def main():
    threads = [threading.Thread(target=serve_master, daemon=True)]
    for address, port, name, clients, limit, rooms, delay in SERVERS:
        if name:
            threads.append(threading.Thread(target=serve_info, daemon=True,
                                            args=(address, port, name, clients, limit, rooms, delay)))
    for thread in threads:
        thread.start()
    print("fake master and responders ready", flush=True)
    while True:
        time.sleep(3600)


if __name__ == "__main__":
    main()
