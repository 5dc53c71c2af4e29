#!/usr/bin/env python3
"""Checks that the includes of the terminal program's sources point one way.

The rooms of terminal/ stand in the order of ROOMS, lowest first. A file includes
headers of its own room and of rooms below it, never of a room above it (nor of a sibling
that stands above it). Each emulation family (terminal/emulations/<family>/, with its
sub-folders) is one room above all the shared rooms: it may include any shared room, no
shared room includes it, and no family includes another. Only terminal/emulations/
itself (families.cpp, the list of the families of the build) names them all.

A folder under terminal/ that is neither in ROOMS nor a family's is reported, so a new
room takes its place in the order before it is used. So is a folder that holds more than
MOST_FILES sources (.h and .cpp) of its own: it is split into sub-rooms named for what
they hold, as the DEC family's are.

The connection wizard (wizard/, a program of its own) is a top-level room above every
shared room: it may include any of them but no family, and nothing in terminal/
includes it.

Usage: checklayers.py [--root DIR] [--dot]; prints each wrong include as file:line and
each crowded folder, and exits 1 when there is one. With --dot it prints instead the rooms' imports as a Graphviz
graph: an arrow per pair of rooms, labelled with its count of include lines.
"""
import argparse
import os
import re
import sys

# The shared rooms, lowest first (paths under terminal/).
ROOMS = (
    "core/base",
    "core/host",
    "settings/store",
    "core/screen",
    "core/paint",
    "input/keyboard",
    "input/macros",
    "core/window/selection",
    "comms/telnet",
    "comms/serial",
    "comms/capture",
    "comms/printing",
    "comms/aux",
    "core/window/status",
    "input/hotspots",
    "input/bars",
    "core/window/dialogs",
    "core/window/mouse",
    "core/window",
    "core/hostthread",
    "core/session",
    "settings/setup",
    "comms/dialogs",
    "input/dialogs",
    "settings/pages",
    "core/program",
)
FAMILIES = "emulations"
SOURCES = (".h", ".cpp", ".c", ".rc", ".def")
# At most this many .h and .cpp files in one folder; more are split into sub-rooms.
MOST_FILES = 40
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def room_of(path):
    """The room of a path relative to terminal/: ("shared", rank, name), ("family", name),
    ("families", None) for terminal/emulations itself, or None when it has no room."""
    folder = os.path.dirname(path).replace(os.sep, "/")
    if folder in ROOMS:
        return ("shared", ROOMS.index(folder), folder)
    if folder == FAMILIES:
        return ("families", None, FAMILIES)
    if folder.startswith(FAMILIES + "/"):
        family = folder.split("/")[1]
        return ("family", None, FAMILIES + "/" + family)
    return None


def verdict(source, target):
    """Why an include from room `source` of room `target` is wrong, or None."""
    if source == target:
        return None
    kind, rank, name = source
    tkind, trank, tname = target
    if tkind == "shared":
        if kind == "shared" and trank > rank:
            return "%s stands above %s" % (tname, name)
        return None
    if tkind == "families":
        return "only the program's start names the list of families" if kind != "families" else None
    # a family's header
    if kind == "families":
        return None
    if kind == "family":
        return "a family includes no other family"
    return "a shared room reaches a family only through the emulation interface (core/base/family.h)"


WIZARD = "wizard"


def wizard_verdict(target):
    """Why an include from the wizard of terminal room `target` is wrong, or None."""
    if target is None:
        return "it is in no room of the order"
    if target[0] in ("family", "families"):
        return "the wizard reaches no emulation family"
    return None


def wrong_wizard_includes(root):
    found = []
    terminal = os.path.join(root, "terminal")
    for path in sources(os.path.join(root, WIZARD)):
        shown = os.path.relpath(path, root)
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m or not m.group(1).startswith("terminal/"):
                    continue
                target_path = m.group(1)[len("terminal/"):]
                why = wizard_verdict(room_of(target_path) if os.path.dirname(target_path) else None)
                if why:
                    found.append("%s:%d: %s (%s)" % (shown, number, m.group(1), why))
    return found


def sources(folder):
    for dirpath, dirnames, files in os.walk(folder):
        dirnames.sort()
        for name in sorted(files):
            if name.endswith(SOURCES):
                yield os.path.join(dirpath, name)


def includes(root):
    """Each include of a header of terminal/ as (file shown, line, as written, source room,
    target path under terminal/); a file in no room gives line 0 and no target, an include
    of the wizard no target."""
    terminal = os.path.join(root, "terminal")
    for path in sources(terminal):
        relative = os.path.relpath(path, terminal)
        source = room_of(relative)
        shown = os.path.relpath(path, root)
        if source is None:
            yield shown, 0, None, relative, None
            continue
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                included = m.group(1)
                if included.startswith(WIZARD + "/"):
                    yield shown, number, included, source, None
                    continue
                if included.startswith("terminal/"):
                    target_path = included[len("terminal/"):]
                else:
                    # a name beside the file
                    target_path = os.path.normpath(os.path.join(os.path.dirname(relative), included))
                    if not os.path.exists(os.path.join(terminal, target_path)):
                        continue
                yield shown, number, included, source, target_path


def wrong_includes(root):
    found = []
    for shown, number, included, source, target_path in includes(root):
        if number == 0:
            found.append("%s:1: %s is in no room of the order" % (shown, os.path.dirname(source)))
            continue
        if target_path is None:
            found.append("%s:%d: %s (nothing in terminal/ includes the wizard)" % (shown, number, included))
            continue
        target = room_of(target_path)
        if target is None:
            why = "%s is in no room of the order" % os.path.dirname(target_path)
        else:
            why = verdict(source, target)
        if why:
            found.append("%s:%d: %s (%s)" % (shown, number, included, why))
    return found


def room_graph(root):
    """The rooms' imports in Graphviz's language: one arrow per pair of rooms."""
    arrows = {}
    for _, number, _, source, target_path in includes(root):
        target = room_of(target_path) if target_path else None
        if target and target[2] != source[2]:
            arrows[(source[2], target[2])] = arrows.get((source[2], target[2]), 0) + 1
    lines = ["digraph rooms {", "  rankdir=BT;", "  node [shape=box];"]
    lines += ['  "%s" -> "%s" [label=%d];' % (a, b, n) for (a, b), n in sorted(arrows.items())]
    lines.append("}")
    return "\n".join(lines)


def crowded_folders(root):
    """Each folder under terminal/ holding more than MOST_FILES .h and .cpp files."""
    found = []
    for dirpath, dirnames, files in os.walk(os.path.join(root, "terminal")):
        dirnames.sort()
        count = sum(1 for name in files if name.endswith((".h", ".cpp")))
        if count > MOST_FILES:
            found.append("%s: %d source files (.h and .cpp) in one folder, more than %d: split it into "
                         "sub-rooms named for what they hold" % (os.path.relpath(dirpath, root), count, MOST_FILES))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    parser.add_argument("--dot", action="store_true", help="print the rooms' imports as a Graphviz graph")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    if args.dot:
        print(room_graph(root))
        return 0
    found = wrong_includes(root) + wrong_wizard_includes(root)
    crowded = crowded_folders(root)
    for line in found + crowded:
        print(line)
    if found:
        print("%d include(s) point up or across the order of the rooms (tools/layering/checklayers.py)"
              % len(found))
    if crowded:
        print("%d folder(s) hold more than %d source files (tools/layering/checklayers.py)"
              % (len(crowded), MOST_FILES))
    if found or crowded:
        return 1
    print("layering: every include points down the order of the rooms; no shared room includes a family, "
          "no family another; no folder holds more than %d source files" % MOST_FILES)
    return 0


if __name__ == "__main__":
    sys.exit(main())
