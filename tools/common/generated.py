"""Writing a generator's committed outputs, or with --check comparing them instead."""
import os
import sys


def write_or_check(outputs, generator):
    """outputs: {path: bytes}. Returns the process exit status."""
    if "--check" in sys.argv:
        stale = [p for p, data in outputs.items() if not os.path.exists(p) or open(p, "rb").read() != data]
        for p in stale:
            print("out of date: %s (run %s)" % (p, generator))
        return 1 if stale else 0
    for p, data in outputs.items():
        os.makedirs(os.path.dirname(p), exist_ok=True)
        with open(p, "wb") as f:
            f.write(data)
    return 0
