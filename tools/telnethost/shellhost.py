"""A loopback telnet host that gives each client a shell of this machine.

    python3 -m telnethost.shellhost [--port N] [--command "bash -l"]

Listens on 127.0.0.1 only (never on other interfaces) and prints "PORT n" once it
listens. Each connection gets a pseudo-terminal running the command, with TERM taken
from the client's TERMINAL-TYPE (RFC 1091). The host echoes (WILL ECHO) and suppresses
go-ahead (WILL SUPPRESS-GO-AHEAD), as telnet servers do for a shell.
"""
import argparse
import asyncio
import fcntl
import os
import pty
import shlex
import signal
import struct
import sys
import termios

from telnethost import (DO, DONT, ECHO, IAC, SB, SE, SGA, TERMINAL_TYPE, TT_IS, WILL, WONT, do, ttype_send,
                        will)


class TelnetInput:
    """Undoes the telnet layer of what the client types (RFC 854): commands are taken
    out, IAC IAC is one 255, and CR NUL or CR LF is the Return key (CR)."""

    def __init__(self):
        self.state, self.sub, self.after_cr = "data", bytearray(), False
        self.terminal_type = None

    def feed(self, data):
        out = bytearray()
        for b in data:
            if self.state == "data":
                if b == IAC:
                    self.state = "iac"
                elif self.after_cr and b in (0, 10):
                    self.after_cr = False
                else:
                    self.after_cr = b == 13
                    out.append(b)
            elif self.state == "iac":
                if b == IAC:
                    out.append(IAC)
                    self.state = "data"
                elif b == SB:
                    self.sub.clear()
                    self.state = "sb"
                elif b in (WILL, WONT, DO, DONT):
                    self.state = "option"
                else:
                    self.state = "data"
            elif self.state == "option":
                self.state = "data"
            elif self.state == "sb":
                if b == IAC:
                    self.state = "sb-iac"
                else:
                    self.sub.append(b)
            elif self.state == "sb-iac":
                if b == SE:
                    if len(self.sub) >= 2 and self.sub[0] == TERMINAL_TYPE and self.sub[1] == TT_IS:
                        self.terminal_type = self.sub[2:].decode("latin-1").lower()
                    self.state = "data"
                else:
                    self.sub.append(b)
                    self.state = "sb"
        return bytes(out)


async def serve_client(reader, writer, command):
    loop = asyncio.get_running_loop()
    telnet = TelnetInput()
    writer.write(will(ECHO) + will(SGA) + do(TERMINAL_TYPE) + ttype_send())
    await writer.drain()
    pending = bytearray()
    try:
        # The terminal type arrives within the first exchanges; a client that never
        # sends one gets a plain vt100.
        deadline = loop.time() + 3
        while telnet.terminal_type is None and loop.time() < deadline:
            chunk = await asyncio.wait_for(reader.read(4096), deadline - loop.time())
            if not chunk:
                return
            pending += telnet.feed(chunk)
    except asyncio.TimeoutError:
        pass
    pid, master = pty.fork()
    if pid == 0:
        os.environ["TERM"] = telnet.terminal_type or "vt100"
        argv = shlex.split(command)
        os.execvp(argv[0], argv)
    fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
    os.set_blocking(master, False)
    if pending:
        os.write(master, pending)
    done = asyncio.Event()

    def from_shell():
        try:
            data = os.read(master, 65536)
        except OSError:
            data = b""
        if not data:
            done.set()
            return
        writer.write(data.replace(b"\xff", b"\xff\xff"))
    loop.add_reader(master, from_shell)
    try:
        while not done.is_set():
            read = asyncio.ensure_future(reader.read(4096))
            stop = asyncio.ensure_future(done.wait())
            await asyncio.wait({read, stop}, return_when=asyncio.FIRST_COMPLETED)
            if not read.done():
                read.cancel()
                break
            chunk = read.result()
            stop.cancel()
            if not chunk:
                break
            data = telnet.feed(chunk)
            if data:
                os.write(master, data)
    finally:
        loop.remove_reader(master)
        try:
            os.kill(pid, signal.SIGHUP)
        except OSError:
            pass
        os.close(master)
        try:
            os.waitpid(pid, 0)
        except ChildProcessError:
            pass
        writer.close()


async def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--command", default=os.environ.get("SHELL", "/bin/bash") + " -l")
    args = parser.parse_args()
    server = await asyncio.start_server(lambda r, w: serve_client(r, w, args.command), "127.0.0.1", args.port)
    print("PORT %d" % server.sockets[0].getsockname()[1], flush=True)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
