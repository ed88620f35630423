#!/usr/bin/env python3
"""Lists every #include that points to a folder higher in the README's order of folders and
exits 1 when there is one.

The order is the indented block of lines with arrows under the README's "Dependencies point
one way": "a → b → c" lets c include b and a; "core/: a → b" orders the subfolders of core/.
"""
import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE = re.compile(r"\.(h|hpp|c|cpp)$")


def read_order(readme):
    """Returns {scope: {folder: set of folders it may include}}; scope "" is the top level."""
    edges = {}
    in_block = False
    with open(readme, encoding="utf-8") as f:
        for line in f:
            if line.startswith("Dependencies point one way"):
                in_block = True
                continue
            if not in_block:
                continue
            if line.startswith("    ") and "→" in line:
                text = line.strip()
                scope = ""
                if ":" in text:
                    scope, text = (part.strip() for part in text.split(":", 1))
                    scope = scope.rstrip("/")
                chain = [name.strip().rstrip("/") for name in text.split("→")]
                below = edges.setdefault(scope, {})
                for lower, upper in zip(chain, chain[1:]):
                    below.setdefault(upper, set()).add(lower)
                    below.setdefault(lower, set())
            elif line.startswith("#"):
                break
    if not edges.get(""):
        sys.exit(f"{readme}: no order of folders found under 'Dependencies point one way'")
    # Transitive closure: a folder may include everything below it.
    for below in edges.values():
        changed = True
        while changed:
            changed = False
            for name, lower in below.items():
                more = set().union(*(below.get(n, set()) for n in lower)) - lower
                if more:
                    lower |= more
                    changed = True
    return edges


def owner(path, floors):
    """The folder (top level, subfolder) a source file or included header belongs to, or None
    for files outside the ordered folders."""
    parts = path.split("/")
    if parts[0] == "resources":
        match = re.match(r"(\w+)_ids\.h$", parts[-1])
        if len(parts) == 3 and parts[1] == "ids" and match and match.group(1) in floors:
            return match.group(1), None
        return "app", None
    if parts[0] in floors:
        return parts[0], parts[1] if len(parts) > 2 else None
    return None


def allowed(source, target, edges):
    top = edges[""]
    src_parts = source.split("/")
    tgt_parts = target.split("/")
    if src_parts[0] == "tests":
        return True
    if src_parts[0] in ("bench", "fuzz"):
        return tgt_parts[0] != "tests" or tgt_parts[1] == "support"
    src = owner(source, top)
    tgt = owner(target, top)
    if src is None or tgt is None:
        return True
    if src[0] != tgt[0]:
        return tgt[0] in top.get(src[0], set())
    inner = edges.get(src[0])
    if not inner or src[1] is None or tgt[1] is None or src[1] == tgt[1]:
        return True
    if src[1] not in inner or tgt[1] not in inner:
        return True
    return tgt[1] in inner[src[1]]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    os.chdir(root)
    edges = read_order("README.md")
    files = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"],
                           check=True, capture_output=True, text=True).stdout.split()
    found = []
    for path in sorted(f for f in files if SOURCE.search(f) and not f.startswith("build/")):
        if not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = INCLUDE.match(line)
                if match and "/" in match.group(1) and not allowed(path, match.group(1), edges):
                    found.append(f"{path}:{number}: includes {match.group(1)}")
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} includes point up the README's order of folders")
        return 1
    print("includes: every one points down the README's order of folders")
    return 0


if __name__ == "__main__":
    sys.exit(main())
