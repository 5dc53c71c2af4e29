"""Accept one telnet connection and hand it to inetutils-telnetd, as inetd would.

    python3 -m telnethost.telnetdonce LISTEN_FD|PORT TELNETD PROGRAM

telnetd runs PROGRAM (its -E option) instead of login, so no account or inetd is
needed. With a port number the listener is made here, on 127.0.0.1, and "PORT n" is
printed once it listens.
"""
import os
import socket
import sys


def main():
    where, telnetd, program = sys.argv[1], sys.argv[2], sys.argv[3]
    if where.startswith("fd:"):
        listener = socket.socket(fileno=int(where[3:]))
    else:
        listener = socket.socket()
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", int(where)))
        listener.listen(1)
        print("PORT %d" % listener.getsockname()[1], flush=True)
    connection, _ = listener.accept()
    listener.close()
    for fd in (0, 1, 2):
        os.dup2(connection.fileno(), fd)
    connection.close()
    os.execv(telnetd, [telnetd, "-E", program])


if __name__ == "__main__":
    main()
