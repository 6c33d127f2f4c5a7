#!/usr/bin/env python3
"""Generates the game's pictures and levels into game/data (standard library plus ImageMagick's
convert for JPEG and GIF). With --check SIM, runs every level through the marbles-sim program
and fails unless it comes to rest in time with all marbles inside the walls.

    python3 tools/contentgen/contentgen.py [--game DIR] [--check PATH/TO/marbles-sim]
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import levels  # noqa: E402
import pictures  # noqa: E402

REST_STEPS = 300       # a level must be at rest for good within this many 50 ms steps
SIM_STEPS = 400


def check_level(simulator, path):
    """Returns a list of problems with the level at path (empty when it settles properly)."""
    out = subprocess.run([simulator, '--csv', '--steps', str(SIM_STEPS), path],
                         check=True, capture_output=True, text=True).stdout.splitlines()
    values = dict(line.split(',', 1) for line in out[:3])
    settled = int(values['settled_step'])
    problems = []
    if settled < 0 or settled > REST_STEPS:
        problems.append('settles at step %d' % settled)
    for row in out[4:]:
        index, _, shape, _, x, y, _, _ = row.split(',')
        x, y = float(x), float(y)
        if shape != 'circle':
            continue
        inside = (levels.INNER_LEFT + 0.9 < x < levels.INNER_RIGHT - 0.9
                  and -10.0 < y < levels.FLOOR_TOP - 0.9)
        if not inside:
            problems.append('marble %s ends outside at (%.2f, %.2f)' % (index, x, y))
    return settled, problems


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--game', default=os.path.join(root, 'game'), help='the game folder to fill')
    parser.add_argument('--check', metavar='SIM', help='marbles-sim program to check the levels with')
    parser.add_argument('--levels-only', action='store_true', help='write only the levels and backgrounds')
    args = parser.parse_args()

    if not args.levels_only:
        with tempfile.TemporaryDirectory() as scratch:
            pictures.make_marbles(args.game)
            pictures.make_screens(args.game, scratch)
            pictures.make_gui(args.game, scratch)
    files = levels.make_levels(args.game)

    if args.check:
        failed = False
        for name in files:
            settled, problems = check_level(args.check, os.path.join(args.game, name))
            print('%s: at rest from step %d%s' % (name, settled, '' if not problems else ': ' + '; '.join(problems)))
            failed = failed or bool(problems)
        return 1 if failed else 0
    return 0


if __name__ == '__main__':
    sys.exit(main())
