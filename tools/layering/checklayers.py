#!/usr/bin/env python3
"""Checks the layering of the terminal program's sources.

- terminal/core, terminal/comms, terminal/settings and terminal/input include no
  header of an emulation family (nothing under terminal/emulations/): they reach the
  families only through the emulation interface (terminal/core/base/family.h).
- A family (terminal/emulations/<family>/) includes no other family's headers.
Only terminal/emulations/families.cpp, the list of the families of the build, names
them all.

Usage: checklayers.py [--root DIR]; prints each wrong include as file:line and exits 1
when there is one.
"""
import argparse
import os
import re
import sys

SHARED = ("core", "comms", "settings", "input")
SOURCES = (".h", ".cpp", ".c", ".rc", ".def")
INCLUDE = re.compile(r'^\s*#\s*include\s+"(terminal/emulations/([^/"]+)/[^"]*)"')


def sources(folder):
    for dirpath, _, files in os.walk(folder):
        for name in sorted(files):
            if name.endswith(SOURCES):
                yield os.path.join(dirpath, name)


def wrong_includes(root):
    terminal = os.path.join(root, "terminal")
    found = []

    def scan(path, allowed_family):
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if m and m.group(2) != allowed_family:
                    found.append("%s:%d: %s" % (os.path.relpath(path, root), number, m.group(1)))

    for layer in SHARED:
        for path in sources(os.path.join(terminal, layer)):
            scan(path, None)
    emulations = os.path.join(terminal, "emulations")
    if os.path.isdir(emulations):
        for family in sorted(os.listdir(emulations)):
            folder = os.path.join(emulations, family)
            if os.path.isdir(folder):
                for path in sources(folder):
                    scan(path, family)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    args = parser.parse_args()
    found = wrong_includes(os.path.abspath(args.root))
    for line in found:
        print(line)
    if found:
        print("%d include(s) cross the layers: shared code reaches a family only through "
              "terminal/core/base/family.h, and a family never includes another's headers" % len(found))
        return 1
    print("layering: no shared folder includes a family, no family another")
    return 0


if __name__ == "__main__":
    sys.exit(main())
