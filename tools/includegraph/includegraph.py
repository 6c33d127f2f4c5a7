#!/usr/bin/env python3
"""Lists which source folder includes which, and fails when folders include each other.

Usage: includegraph.py [SRC_DIR] [--edges]
Every #include "x/y.h" under SRC_DIR (rooted at SRC_DIR) is an edge from the including file's
folder to the included file's folder. Exit status 1 when the folder graph has a cycle, or when
an SDL header is included outside the folders allowed to call SDL.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
SDL_FOLDERS = ('tarn/tasks/task_sdl', 'tarn/tasks/task_sdlmixer', 'tarn/gfx/sdl',
               'tarn/inputdevice/sdl')


def folder_edges(src):
    edges = {}
    sdl_users = []
    for folder, _, files in os.walk(src):
        here = os.path.relpath(folder, src)
        for name in files:
            if not name.endswith(('.h', '.cpp')):
                continue
            text = open(os.path.join(folder, name), encoding='utf-8').read()
            for target in INCLUDE.findall(text):
                if target.startswith('SDL'):
                    if not here.startswith(SDL_FOLDERS):
                        sdl_users.append(os.path.join(here, name))
                    continue
                if not os.path.isfile(os.path.join(src, target)):
                    continue
                there = os.path.dirname(target)
                if there != here:
                    edges.setdefault(here, set()).add(there)
    return edges, sdl_users


def find_cycles(edges):
    """Tarjan's strongly connected components with more than one folder."""
    index, low, stack, on_stack, cycles = {}, {}, [], set(), []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(edges.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                cycles.append(sorted(component))

    for node in sorted(edges):
        if node not in index:
            visit(node)
    return cycles


def main(argv):
    args = [a for a in argv if not a.startswith('--')]
    src = args[0] if args else os.path.join(os.path.dirname(__file__), '..', '..', 'src')
    edges, sdl_users = folder_edges(src)
    if '--edges' in argv:
        for here in sorted(edges):
            print(f'{here} -> {", ".join(sorted(edges[here]))}')
    cycles = find_cycles(edges)
    for cycle in cycles:
        print('folders include each other: ' + ' <-> '.join(cycle))
    for user in sorted(sdl_users):
        print('SDL header outside the SDL folders: ' + user)
    if not cycles and not sdl_users:
        print(f'{len(edges)} folders, no include cycle, SDL only in its folders')
    return 1 if cycles or sdl_users else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
