"""Runs inside xterm (its -e program): for each job of a JSON file, resets the terminal,
writes the job's stream, then its queries, and collects the answers (cursor reports and
checksum reports) into a JSON file. The pseudo-terminal is raw, so the answers arrive
as the terminal sent them."""
import json
import os
import re
import select
import sys
import time
import tty

ANSWER = re.compile(rb"\x1b\[[0-9;?]*R|\x1bP[0-9]+!~[0-9A-F]{4}\x1b\\")


def main(jobs_path, out_path):
    fd = sys.stdin.fileno()
    tty.setraw(fd)
    jobs = json.load(open(jobs_path))
    results = []
    pending = b""
    for job in jobs:
        os.write(1, b"\x1bc")
        time.sleep(0.05)
        data = job["stream"].encode("latin-1") + "".join(job["queries"]).encode("latin-1")
        for i in range(0, len(data), 4096):
            os.write(1, data[i:i + 4096])
        answers = []
        deadline = time.time() + 60
        while len(answers) < len(job["queries"]) and time.time() < deadline:
            ready, _, _ = select.select([fd], [], [], 0.5)
            if ready:
                pending += os.read(fd, 65536)
            while True:
                m = ANSWER.search(pending)
                if not m:
                    break
                answers.append(m.group(0).decode("latin-1"))
                pending = pending[m.end():]
        results.append(answers)
    with open(out_path, "w") as f:
        json.dump(results, f)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
