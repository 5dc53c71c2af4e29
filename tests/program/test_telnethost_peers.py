"""The scripted telnet host against real peers: what its builders send and expect is
what a real 3270 client (s3270) and a real telnet server (inetutils-telnetd) say."""
import os
import shutil
import socket
import subprocess
import sys
import time
import unittest

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
sys.path.insert(0, TOOLS)
import telnethost as th  # noqa: E402


class S3270Peer(unittest.TestCase):
    """The TN3270E exchange the terminal's tests expect, checked on s3270 first."""

    def run_client(self, host, target, model="3278-2-E"):
        host.on_connect = th.do(th.TN3270E)
        client = subprocess.Popen(["s3270", "-model", model, target], stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(client.wait)
        self.addCleanup(client.kill)
        host.wait_connection()
        host.expect(th.will(th.TN3270E))
        return client

    def test_device_type_and_functions_requests(self):
        with th.ScriptedHost() as host:
            self.run_client(host, "LU1@127.0.0.1:%d" % host.port)
            host.send(th.tn3270e(th.E_SEND, th.E_DEVICE_TYPE))
            host.expect(th.tn3270e(th.E_DEVICE_TYPE, th.E_REQUEST, "IBM-3278-2-E", th.E_CONNECT, "LU1"))
            host.send(th.tn3270e(th.E_DEVICE_TYPE, th.E_IS, "IBM-3278-2-E", th.E_CONNECT, "LU1"))
            # The same framing as the terminal's request; s3270 asks for its own set.
            host.expect(th.tn3270e(th.E_FUNCTIONS, th.E_REQUEST, th.F_BIND_IMAGE, th.F_RESPONSES, th.F_SYSREQ))
            # A subset back as IS is accepted without a word.
            host.send(th.tn3270e(th.E_FUNCTIONS, th.E_IS, th.F_BIND_IMAGE, th.F_RESPONSES))
            host.expect_nothing(0.5)

    def test_device_type_request_without_lu(self):
        with th.ScriptedHost() as host:
            self.run_client(host, "127.0.0.1:%d" % host.port, model="3278-4")
            host.send(th.tn3270e(th.E_SEND, th.E_DEVICE_TYPE))
            host.expect(th.tn3270e(th.E_DEVICE_TYPE, th.E_REQUEST, "IBM-3278-4-E"))


SHOW_TERM = os.path.join(TOOLS, "telnethost", "showterm.sh")


class TelnetdPeer(unittest.TestCase):
    """inetutils-telnetd started on one accepted connection, running a script (-E)."""

    def test_terminal_type_reaches_the_script(self):
        telnetd = shutil.which("telnetd") or "/usr/sbin/telnetd"
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(1)
        port = listener.getsockname()[1]
        wrapper = subprocess.Popen([sys.executable, "-m", "telnethost.telnetdonce", "fd:%d" % listener.fileno(),
                                    telnetd, SHOW_TERM], pass_fds=[listener.fileno()],
                                   env=dict(os.environ, PYTHONPATH=TOOLS))
        listener.close()
        self.addCleanup(wrapper.wait, 10)
        client = socket.create_connection(("127.0.0.1", port), timeout=10)
        received, deadline = b"", time.time() + 10
        answered, refused = False, set()
        while time.time() < deadline and b"TERM=" not in received:
            chunk = client.recv(4096)
            if not chunk:
                break
            received += chunk
            items = th.split_stream(received)
            if not answered and ("sb", th.TERMINAL_TYPE, bytes([th.TT_SEND])) in items:
                client.sendall(th.ttype_is("VT220"))
                answered = True
            # A client that does nothing but TERMINAL-TYPE: every other option refused once.
            for item in items:
                if item[0] == "cmd" and item[1] in (th.DO, th.WILL) and item[1:] not in refused:
                    refused.add(item[1:])
                    if item[1] == th.DO:
                        client.sendall(th.will(item[2]) if item[2] == th.TERMINAL_TYPE else th.wont(item[2]))
                    else:
                        client.sendall(th.dont(item[2]))
        client.close()
        self.assertTrue(answered, th.hexdump(received))
        self.assertIn(b"TERM=vt220", received)


if __name__ == "__main__":
    unittest.main()
