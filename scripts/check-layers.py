#!/usr/bin/env python3
"""Checks that the folders of src/ are layers: reads the stack from
src/README.md (its table lists the folders top to bottom) and fails on every
include that reaches a folder above the including file's own, naming the file
and line, and on any cycle between folders. --stats prints the arrows between
folders and the folders caught in cycles, whatever the README says."""
import pathlib
import re
import sys

SRC = pathlib.Path(__file__).resolve().parent.parent / "src"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".cpp", ".inc"}


def folders():
    return sorted(p.name for p in SRC.iterdir() if p.is_dir())


def includes():
    """Yields (folder, file, line number, included folder) for each include
    of another src/ folder."""
    known = set(folders())
    for path in sorted(SRC.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES:
            continue
        folder = path.relative_to(SRC).parts[0]
        for number, text in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(text)
            if not match:
                continue
            target = match.group(1).split("/")[0]
            if target in known and target != folder:
                yield folder, path.relative_to(SRC.parent), number, target


def arrows():
    graph = {}
    for folder, _, _, target in includes():
        graph.setdefault(folder, set()).add(target)
    return graph


def cycles(graph):
    """Strongly connected components of more than one folder (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for other in graph.get(node, ()):
            if other not in index:
                visit(other)
                low[node] = min(low[node], low[other])
            elif other in on_stack:
                low[node] = min(low[node], index[other])
        if low[node] == index[node]:
            component = []
            while True:
                other = stack.pop()
                on_stack.discard(other)
                component.append(other)
                if other == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in folders():
        if node not in index:
            visit(node)
    return found


def stack_order():
    """The folders as src/README.md's table lists them, top first."""
    readme = SRC / "README.md"
    if not readme.exists():
        return []
    return re.findall(r"^\|\s*`([a-z0-9_]+)/`", readme.read_text(), re.MULTILINE)


def stats():
    graph = arrows()
    count = sum(len(targets) for targets in graph.values())
    in_cycles = sorted({f for component in cycles(graph) for f in component})
    print(f"{count} arrows between {len(folders())} folders of src/")
    for folder in sorted(graph):
        print(f"  {folder} -> {', '.join(sorted(graph[folder]))}")
    print(f"{len(in_cycles)} folders in cycles: {', '.join(in_cycles) or 'none'}")


def check():
    order = stack_order()
    missing = sorted(set(folders()) - set(order))
    if missing:
        print(f"src/README.md does not place these folders in the stack: {', '.join(missing)}")
        return 1
    level = {folder: len(order) - i for i, folder in enumerate(order)}
    climbs = [(file, number, folder, target) for folder, file, number, target in includes()
              if level[target] >= level[folder]]
    for file, number, folder, target in climbs:
        print(f"{file}:{number}: {folder}/ includes {target}/, which is not below it in src/README.md")
    return 1 if climbs else 0


if __name__ == "__main__":
    sys.exit(stats() if sys.argv[1:] == ["--stats"] else check())
