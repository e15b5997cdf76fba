#!/usr/bin/env python3
"""Lists the include edges between the source folders of src/ and fails on a cycle."""
import os
import re
import sys

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
include = re.compile(r'#include "(([^/"]+)/[^"]+)"')
edges = {}
for layer in ("core", "app"):
    base = os.path.join(root, layer)
    for folder in sorted(os.listdir(base)):
        path = os.path.join(base, folder)
        if not os.path.isdir(path):
            continue
        name = f"{layer}/{folder}"
        edges.setdefault(name, set())
        for file in os.listdir(path):
            with open(os.path.join(path, file), encoding="utf-8") as text:
                for line in text:
                    m = include.match(line)
                    if not m:
                        continue
                    header, target = m.group(1), m.group(2)
                    for other in ("app", "core") if layer == "app" else ("core",):
                        if os.path.isfile(os.path.join(root, other, header)):
                            dest = f"{other}/{target}"
                            if dest != name:
                                edges[name].add(dest)
                            break

state = {}
cycle = []


def visit(node, stack):
    state[node] = 1
    for nxt in sorted(edges.get(node, ())):
        if state.get(nxt) == 1:
            cycle.append(stack[stack.index(nxt):] + [nxt] if nxt in stack else [node, nxt])
        elif not state.get(nxt):
            visit(nxt, stack + [nxt])
    state[node] = 2


for node in sorted(edges):
    if not state.get(node):
        visit(node, [node])
for node in sorted(edges):
    print(node, "->", ", ".join(sorted(edges[node])) or "-")
if cycle:
    print("cycles:", *[" -> ".join(c) for c in cycle], sep="\n  ")
    sys.exit(1)
