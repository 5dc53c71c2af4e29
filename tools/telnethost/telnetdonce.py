"""Accept one telnet connection and hand it to inetutils-telnetd, as inetd would.

    python3 -m telnethost.telnetdonce LISTEN_FD|PORT TELNETD PROGRAM

telnetd runs PROGRAM (its -E option) instead of login, so no account or inetd is
needed. With a port number the listener is made here, on 127.0.0.1, and "PORT n" is
printed once it listens.
"""
import os
import socket
import subprocess
import sys
import tempfile


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


class Telnetd:
    """inetutils-telnetd on one loopback connection, running a shell script instead of
    login: `port` to connect to, close() when done."""

    def __init__(self, script_body, telnetd="/usr/sbin/telnetd"):
        script = tempfile.NamedTemporaryFile("w", suffix=".sh", delete=False)
        script.write("#!/bin/sh\n" + script_body)
        script.close()
        os.chmod(script.name, 0o755)
        self._script = script.name
        tools = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        self._wrapper = subprocess.Popen([sys.executable, "-m", "telnethost.telnetdonce", "0", telnetd, script.name],
                                         stdout=subprocess.PIPE, text=True, env=dict(os.environ, PYTHONPATH=tools))
        self.port = int(self._wrapper.stdout.readline().split()[1])

    def close(self):
        self._wrapper.kill()
        self._wrapper.wait(15)
        self._wrapper.stdout.close()
        os.unlink(self._script)


if __name__ == "__main__":
    main()
