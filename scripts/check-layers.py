#!/usr/bin/env python3
"""Checks that src/ is built in layers that point one way.

A file in src/ may include its own folder and the floors below it; folders on
one floor (features side by side) may not include each other. No group of
units (a header with its source) may include itself round a loop, and no file
in src/ or tools/ may grow past MAX_LINES. Every fault is printed as
"file:line: what" and makes the script fail.
"""
import os
import re
import sys

# The floors of src/, bottom first. The README quotes this list.
FLOORS = [
    ["platform"],
    ["shared"],
    ["wire"],
    ["table"],
    ["play", "results", "video"],
    ["watch", "computer"],
    ["window"],
    ["messages"],
    ["run"],
    ["app"],
]

MAX_LINES = 500

# What is still to be mended: includes that point the wrong way ("file: include")
# and loops of units ("loop: unit <-> unit ..."), one per line. The list may only
# shrink: an entry that no longer occurs is a fault too, so that it is struck
# off as soon as its include or loop is gone.
PENDING_FILE = "scripts/layers-pending.txt"

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = (".h", ".cpp")


def floor_of(folder):
    for number, floor in enumerate(FLOORS):
        if folder in floor:
            return number
    return None


def read_includes(root):
    """Yields (file, line number, included path) for every quoted include in src/."""
    for directory, _, names in os.walk(os.path.join(root, "src")):
        for name in sorted(names):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.relpath(os.path.join(directory, name), root)
            with open(os.path.join(root, path), encoding="utf-8") as source:
                for number, text in enumerate(source, 1):
                    match = INCLUDE.match(text)
                    if match:
                        yield path, number, match.group(1)


def folder_of(path):
    """The top folder below src/ of a path given from the checkout ("src/x/...") or from src/ ("x/...")."""
    parts = path.split("/")
    return parts[1] if parts[0] == "src" else parts[0]


def resolve(path, included, root):
    """The included file's path from the checkout, or None for one outside src/."""
    beside = os.path.normpath(os.path.join(os.path.dirname(path), included))
    if os.path.isfile(os.path.join(root, beside)):
        return beside
    from_src = os.path.join("src", included)
    if os.path.isfile(os.path.join(root, from_src)):
        return from_src
    return None


def unit_of(path):
    return os.path.splitext(path)[0]


def direction_faults(includes, pending, seen_pending):
    faults = []
    for path, number, included, target in includes:
        source_folder, target_folder = folder_of(path), folder_of(target)
        if source_folder == target_folder:
            continue
        source_floor, target_floor = floor_of(source_folder), floor_of(target_folder)
        if source_floor is None:
            faults.append(f"{path}:{number}: folder {source_folder}/ is on no floor of {sys.argv[0]}")
            continue
        if target_floor is None:
            faults.append(f"{path}:{number}: folder {target_folder}/ is on no floor of {sys.argv[0]}")
            continue
        if target_floor < source_floor:
            continue
        key = f"{path}: {included}"
        if key in pending:
            seen_pending.add(key)
            continue
        where = "up the order" if target_floor > source_floor else "across features of one floor"
        faults.append(f"{path}:{number}: includes {included}, {where} ({source_folder}/ -> {target_folder}/)")
    return faults


def loop_faults(includes, pending, seen_pending):
    """Units that include each other round a loop, found as strongly connected groups."""
    edges = {}
    first_line = {}
    for path, number, _, target in includes:
        source, destination = unit_of(path), unit_of(target)
        if source == destination:
            continue
        edges.setdefault(source, set()).add(destination)
        edges.setdefault(destination, set())
        first_line.setdefault((source, destination), f"{path}:{number}")

    # Tarjan's algorithm, iterative so that deep include chains need no deep recursion.
    index, low, on_stack, stack, groups = {}, {}, set(), [], []
    counter = 0
    for start in sorted(edges):
        if start in index:
            continue
        work = [(start, iter(sorted(edges[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for successor in successors:
                if successor not in index:
                    index[successor] = low[successor] = counter
                    counter += 1
                    stack.append(successor)
                    on_stack.add(successor)
                    work.append((successor, iter(sorted(edges[successor]))))
                    advanced = True
                    break
                if successor in on_stack:
                    low[node] = min(low[node], index[successor])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1:
                    groups.append(sorted(group))

    faults = []
    for group in sorted(groups):
        key = "loop: " + " <-> ".join(group)
        if key in pending:
            seen_pending.add(key)
            continue
        members = set(group)
        links = [first_line[(a, b)] for a in group for b in sorted(edges[a]) if b in members]
        faults.append(f"{links[0]}: units include each other round a loop: {' <-> '.join(group)} "
                      f"(includes: {', '.join(links)})")
    return faults


def length_faults(root):
    faults = []
    for top in ("src", "tools"):
        for directory, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.relpath(os.path.join(directory, name), root)
                with open(os.path.join(root, path), encoding="utf-8") as source:
                    lines = sum(1 for _ in source)
                if lines > MAX_LINES:
                    faults.append(f"{path}:{MAX_LINES + 1}: {lines} lines, more than {MAX_LINES}")
    return faults


def read_pending(root):
    path = os.path.join(root, PENDING_FILE)
    if not os.path.isfile(path):
        return set()
    with open(path, encoding="utf-8") as listing:
        return {line.strip() for line in listing if line.strip() and not line.startswith("#")}


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    includes = []
    for path, number, included in read_includes(root):
        target = resolve(path, included, root)
        if target is not None:
            includes.append((path, number, included, target))
    pending, seen_pending = read_pending(root), set()
    faults = (direction_faults(includes, pending, seen_pending) + loop_faults(includes, pending, seen_pending)
              + length_faults(root))
    faults += [f"{PENDING_FILE}: '{key}' no longer occurs; strike it off" for key in sorted(pending - seen_pending)]
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
