"""Debian's s3270 as a 3270 display peer: started against a scripted host, driven by
its script actions, its screen read with Ascii()."""
import subprocess
import threading


class S3270:
    def __init__(self, port, model="3279-2", tn3270e=True):
        host = "127.0.0.1:%d" % port
        if not tn3270e:
            host = "N:" + host  # the N: prefix keeps s3270 to plain TN3270
        self._process = subprocess.Popen(["s3270", "-model", model, host], stdin=subprocess.PIPE,
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self._lock = threading.Lock()

    def action(self, text):
        """Runs an action and returns its data lines; raises when s3270 says error."""
        with self._lock:
            self._process.stdin.write(text + "\n")
            self._process.stdin.flush()
            data = []
            while True:
                line = self._process.stdout.readline()
                if not line:
                    raise RuntimeError("s3270 ended during " + text)
                line = line.rstrip("\n")
                if line == "ok":
                    return data
                if line == "error":
                    raise RuntimeError("s3270: %s failed: %s" % (text, data))
                if line.startswith("data: "):
                    data.append(line[6:])
                elif line.startswith("data:"):
                    data.append(line[5:])

    def start_action(self, text):
        """An action that waits for the host (an AID key): started, not waited for."""
        thread = threading.Thread(target=self.action, args=(text,), daemon=True)
        thread.start()
        return thread

    def screen(self):
        """Every row of the screen, trailing blanks removed."""
        return [row.rstrip() for row in self.action("Ascii()")]

    def cursor(self):
        status = self.action("Query(Cursor)")
        return tuple(int(v) for v in status[0].split()) if status else None

    def close(self):
        try:
            self._process.stdin.close()
        except OSError:
            pass
        self._process.kill()
        self._process.wait()
        self._process.stdout.close()
