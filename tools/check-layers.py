#!/usr/bin/env python3
"""Fails when a source file includes a header of a higher layer.

The layers, lowest first:
  0  text helpers and platform interfaces   src/text, src/platform
  1  the portable core                      src/core
  2  icons, launching, default contents     src/icons, src/launch, src/contents
  3  the windows and their parts            src/dock, src/menu, src/tray, src/search, src/dialogs
  4  the program                            src/app
A subsystem's win/ files belong to the subsystem's layer. Includes within one layer
are free. Usage: check-layers.py [source folder], the repository's src/ by default.
"""
import pathlib
import re
import sys

LAYERS = {
    "text": 0, "platform": 0,
    "core": 1,
    "icons": 2, "launch": 2, "contents": 2,
    "dock": 3, "menu": 3, "tray": 3, "search": 3, "dialogs": 3,
    "app": 4,
}

# Back-arrows that are still there, each to be removed; an entry that no longer
# matches an include fails the check too, so the list only shrinks.
KNOWN: set = set()

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    return LAYERS.get(path.split("/", 1)[0])


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                       pathlib.Path(__file__).resolve().parent.parent / "src")
    problems, seen = [], set()
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp", ".rc"):
            continue
        name = file.relative_to(src).as_posix()
        own = layer_of(name)
        if own is None:
            problems.append(f"{name}: in no layer (add its folder to {__file__})")
            continue
        for number, line in enumerate(file.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            theirs = layer_of(target)
            if theirs is None or theirs <= own:
                continue
            if (name, target) in KNOWN:
                seen.add((name, target))
                continue
            problems.append(f"src/{name}:{number}: includes {target}, a higher layer")
    for name, target in sorted(KNOWN - seen):
        problems.append(f"src/{name} no longer includes {target}: drop it from the known list")
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"check-layers: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    print(f"check-layers: no include runs up a layer ({len(seen)} known back-arrows left)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
