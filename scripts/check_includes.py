#!/usr/bin/python3
"""Lists every #include that crosses folders of the product and fails on one that runs against
the direction of the folders:

    platform  <  numbers  <  geometry  <  division  <  hostlink, dxf
              <  annotation  <  workflows, table, tools  <  shell

A folder may include its own files, those of its level and those of the levels below it. Every
top-level folder that holds sources must be named here, at a level or outside the product, so
that no product file goes unread.
hostsim/, tests/, e2e/ and bench/ stand outside the product and may include any of it, except
that the simulated host must stay an independent implementation: it includes nothing of the
product's DXF reader, its DXF writer or the annotation.

usage: scripts/check_includes.py [-q] [ROOT]   (run early by scripts/test.sh)
  -q  print only the includes that go against the order, and the count
"""
import os
import re
import sys

LEVELS = {
    "platform": 0,
    "numbers": 1,
    "geometry": 2,
    "division": 3,
    "hostlink": 4,
    "dxf": 4,
    "annotation": 5,
    "workflows": 6,
    "table": 6,
    "tools": 6,
    "shell": 7,
}
OUTSIDE = ("hostsim", "tests", "e2e", "bench")
# What the simulated host must not share with the product.
HOSTSIM_FORBIDDEN = ("dxf", "annotation")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inc")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def folder_of(path):
    """The folder of a path relative to the root: a key of LEVELS, an OUTSIDE folder, or None."""
    top = path.split("/")[0]
    return top if top in LEVELS or top in OUTSIDE else None


def resolve(root, including, target):
    """The included file relative to the root: from the root (the build's include directory)
    first, else beside the including file."""
    if os.path.exists(os.path.join(root, target)):
        return os.path.normpath(target)
    beside = os.path.normpath(os.path.join(os.path.dirname(including), target))
    if os.path.exists(os.path.join(root, beside)):
        return beside
    return os.path.normpath(target)


def unnamed_folders(root):
    """Top-level folders holding sources that are neither at a level nor outside the product:
    their includes would go unchecked."""
    found = []
    for top in sorted(os.listdir(root)):
        base = os.path.join(root, top)
        if top.startswith(".") or top == "build" or top in LEVELS or top in OUTSIDE:
            continue
        if not os.path.isdir(base):
            continue
        for _, _, filenames in os.walk(base):
            if any(name.endswith(SOURCE_SUFFIXES) for name in filenames):
                found.append(top)
                break
    return found


def sources(root):
    for top in list(LEVELS) + list(OUTSIDE):
        base = os.path.join(root, top)
        if not os.path.isdir(base):
            continue
        for dirpath, dirnames, filenames in os.walk(base):
            dirnames.sort()
            for name in sorted(filenames):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(dirpath, name), root)


def check(root):
    """(crossing, wrong): every include between two different folders, and those of them that
    go against the order, as (file, line number, included path, reason)."""
    crossing, wrong = [], []
    for path in sources(root):
        src = folder_of(path)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, text in enumerate(f, 1):
                m = INCLUDE.match(text)
                if not m:
                    continue
                target = resolve(root, path, m.group(1))
                dst = folder_of(target)
                if dst is None or dst == src:
                    continue
                item = (path, number, target, f"{src} -> {dst}")
                crossing.append(item)
                if src in OUTSIDE:
                    if src == "hostsim" and dst in HOSTSIM_FORBIDDEN:
                        wrong.append(item[:3] + ("the simulated host shares no code with the "
                                                 "product's DXF reader, writer or annotation",))
                elif dst in OUTSIDE:
                    wrong.append(item[:3] + (f"the product ({src}) includes {dst}",))
                elif LEVELS[dst] > LEVELS[src]:
                    wrong.append(item[:3] + (f"{src} is below {dst}",))
    return crossing, wrong


def main(argv):
    quiet = "-q" in argv
    args = [a for a in argv if a != "-q"]
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    root = os.path.abspath(root)
    unnamed = unnamed_folders(root)
    for top in unnamed:
        print(f"{top}/: holds sources but has no level in scripts/check_includes.py", file=sys.stderr)
    crossing, wrong = check(root)
    if not quiet:
        for path, number, target, arrow in crossing:
            print(f"{path}:{number}: {target}  ({arrow})")
    for path, number, target, reason in wrong:
        print(f"{path}:{number}: includes {target}: against the order of the folders: {reason}",
              file=sys.stderr)
    print(f"{len(crossing)} includes cross folders, {len(wrong)} against the order")
    return 1 if wrong or unnamed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
