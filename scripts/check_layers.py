#!/usr/bin/env python3
"""Checks that the folders under src/ depend one way: resources (ids) and base (services) below
the features, the features below app, which alone wires features together; and that no two
folders include each other, directly or round a circle. Prints every breach; exit 1 if any."""
import re
import sys
from pathlib import Path

FEATURES = {"clock", "face", "alarms", "sound", "timesync", "dialogs"}
# What each lower layer may include besides itself.
ALLOWED = {"resources": set(), "base": set()}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.MULTILINE)


def folder_edges(src):
    edges = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or len(path.relative_to(src).parts) < 2:
            continue
        here = path.relative_to(src).parts[0]
        for there in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if there != here:
                edges.setdefault(here, {}).setdefault(there, []).append(path.relative_to(src))
    return edges


def circles(edges):
    found = []

    def visit(node, trail):
        for nxt in edges.get(node, {}):
            if nxt in trail:
                found.append(trail[trail.index(nxt):] + [nxt])
            elif len(trail) < len(edges) + 1:
                visit(nxt, trail + [nxt])

    for start in edges:
        visit(start, [start])
    unique = {}
    for c in found:
        unique.setdefault(frozenset(c), c)
    return list(unique.values())


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    edges = folder_edges(src)
    breaches = []
    for here, targets in edges.items():
        for there, files in targets.items():
            where = ", ".join(str(f) for f in files)
            if here in ALLOWED and there not in ALLOWED[here]:
                breaches.append(f"{here} includes {there}: {where}")
            if here in FEATURES and there == "app":
                breaches.append(f"feature {here} includes app: {where}")
    for c in circles(edges):
        breaches.append("include circle: " + " -> ".join(c))
    for b in breaches:
        print(b)
    print(f"{len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
