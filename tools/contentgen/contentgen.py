#!/usr/bin/env python3
"""Generates the game's pictures and levels into game/data (standard library plus ImageMagick's
convert for JPEG and GIF).

    python3 tools/contentgen/contentgen.py [--game DIR] [--levels-only]
    python3 tools/contentgen/contentgen.py --levels-only --prove BUILD [--only 3,7]
    python3 tools/contentgen/contentgen.py --report BUILD

--prove BUILD (a Release build folder holding marbles-solve and marbles-sim) paints each level
(chapters.py) by seed, starting from the one kept in level_seeds.json, and keeps the painting
whose share of look-ahead players' wins comes nearest the level's target on the curve, among
those where looking ahead wins at least as often as random play, not every legal play wins
(after level 2), the solution replays within the physics' comfort and wins whatever the
reaction delay after each settle (0 to 40 steps); it writes the level, its solution and the
seed. --report BUILD measures every shipped level and writes report.md, report.json, curve.png
and contact_sheet.png beside this script.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import chapters  # noqa: E402
import levels  # noqa: E402
import levelstats  # noqa: E402
import pictures  # noqa: E402

SEEDS_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'level_seeds.json')
PROVE_PLAYERS = 100
REPORT_PLAYERS = 200
SEED_TRIES = 16
CLOSE_ENOUGH = 0.04
# Looking ahead must win clearly more often than random play: the shares are samples.
LUCK_MARGIN = 0.03


def load_seeds():
    if not os.path.exists(SEEDS_FILE):
        return {}
    with open(SEEDS_FILE) as f:
        return {int(k): v for k, v in json.load(f).items()}


def save_seeds(chosen):
    """Merges the seeds chosen by this run into the file (other runs may have written it)."""
    seeds = load_seeds()
    seeds.update(chosen)
    with open(SEEDS_FILE, 'w') as f:
        json.dump({str(k): seeds[k] for k in sorted(seeds)}, f, indent=None, separators=(',', ': '))
        f.write('\n')


def replay(build, game_dir, level):
    path = os.path.join(game_dir, levels.level_file(level.number))
    return levelstats.play(build, path[:-len('.xml')] + '.solution', path)[0] == 0


def paint(build, path, level, seed):
    """Types by marble and the painting play's clicks, or None when the pile jammed."""
    counts = ','.join(str(n) for n in level.type_counts)
    out = subprocess.run([os.path.join(build, 'marbles-solve'), '--paint', counts, '--seed', str(seed), path],
                         capture_output=True, text=True).stdout.splitlines()
    types = {}
    clicks = []
    for line in out:
        words = line.split()
        if words and words[0] == 'paint':
            types[int(words[1])] = int(words[2])
        elif words and words[0] == 'click':
            clicks.append(line)
    if not types:
        return None
    first = levels.first_marble_id(level)
    return [types[first + k] for k in range(len(level.positions))], clicks


def acceptable(level, row):
    """No luck level (looking ahead wins at least as often as random play, by a margin over the
    sampling's noise) and, after the second level, no level every legal play wins."""
    if row['share'] < 1.0 and row['lookahead'] < row['share'] + LUCK_MARGIN:
        return False
    return level.number <= 2 or row['share'] < 1.0


def write_solution(build, path, level, painting_clicks):
    """Proves the written level and keeps the search's solution, or the painting play's when
    the search ran out of budget."""
    solution = path[:-len('.xml')] + '.solution'
    if levelstats.solve(build, path, 0, write=True)['winnable'] != 'yes':
        with open(solution, 'w') as f:
            f.write('# Marbles solution: the play that painted the level ("click STEP INITID").\n')
            f.write('\n'.join(painting_clicks) + '\n')
    return solution


def prove(build, game_dir, level, seeds):
    """Paints the level by seed and keeps the painting whose look-ahead players' share comes
    nearest the level's target among those that are no luck level, replay within the physics'
    comfort and win whatever the reaction delay. True when one was found and written."""
    path = os.path.join(game_dir, levels.level_file(level.number))
    kept = seeds.get(level.number)
    start = kept['seed'] if isinstance(kept, dict) else 0
    candidates = []
    for seed in range(start, start + SEED_TRIES):
        level.painted = None
        levels.write_level(game_dir, level)
        painted = paint(build, path, level, seed)
        if painted is None:
            continue
        level.painted = painted[0]
        levels.write_level(game_dir, level)
        row = levelstats.solve(build, path, PROVE_PLAYERS, write=False)
        ok = acceptable(level, row)
        print('  level %d seed %d: random %.2f look-ahead %.2f (target %.2f)%s' % (
            level.number, seed, row['share'], row['lookahead'], level.target, '' if ok else ' rejected'), flush=True)
        if ok:
            candidates.append((abs(row['lookahead'] - level.target), seed, painted))
            if candidates[-1][0] <= CLOSE_ENOUGH:
                break
    for distance, seed, painted in sorted(candidates, key=lambda c: c[0]):
        level.painted = painted[0]
        levels.write_level(game_dir, level)
        solution = write_solution(build, path, level, painted[1])
        measured = levelstats.comfort(build, solution, path)
        late = levelstats.late_wins(build, solution, path)
        if measured['comfortable'] and len(late) == len(levelstats.DELAYS):
            seeds[level.number] = {'seed': seed, 'types': level.painted}
            print('level %d: seed %d, %.2f from its target' % (level.number, seed, distance), flush=True)
            return True
        print('  level %d seed %d: overlap %.3f, cap steps %d, wins late at %s' % (
            level.number, seed, measured['overlap'], measured['cap_steps'], late), flush=True)
    print('level %d: NOT PROVEN' % level.number, flush=True)
    return False


def report(build, game_dir, chosen, players):
    """Measures the levels as shipped and writes the table, the contact sheet and the curve."""
    rows = []
    for level in chosen:
        row = levelstats.measure(build, game_dir, level, os.path.join(game_dir, levels.level_file(level.number)),
                                 players)
        print('level %d: random %.2f look-ahead %.2f overlap %.3f cap %d upper %d late %s' % (
            level.number, row['share'], row['lookahead'], row['overlap'], row['cap_steps'], row['upper'],
            row['delays']), flush=True)
        rows.append(row)
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, 'report.md'), 'w') as f:
        f.write('# The levels, measured\n\n'
                'Written by `contentgen.py --report BUILD` (%d random and %d look-ahead players a level). '
                'A look-ahead player settles the pile each selectable chain would leave, takes a chain that '
                'empties the level, never one that leaves marbles without a chain unless it must, and otherwise '
                'draws a chain with a weight of one plus the number of chains its pile leaves. The overlap at rest '
                'is the deepest two bodies sink into each other in any settled pile of the solution\'s replay; in '
                'flight counts landings too. "Wins when late" lists the reaction delays after each settle (in '
                '50 ms steps) at which the shipped solution still wins.\n\n' % (players, players))
        f.write(levelstats.table_markdown(rows))
        rising = levelstats.steady(rows, levels.LEVELS_PER_CHAPTER)
        f.write('\nLevels whose look-ahead share rises more than 5 points over the level before, within a chapter: %s\n'
                % (', '.join(map(str, rising)) or 'none'))
        f.write('\n![curve](curve.png)\n\n![start piles](contact_sheet.png)\n')
    levelstats.save_rows(rows, os.path.join(here, 'report.json'))
    pictures_of_report(game_dir, chosen)
    return rows


def pictures_of_report(game_dir, chosen):
    """The curve and the contact sheet, from the rows report.json keeps."""
    here = os.path.dirname(os.path.abspath(__file__))
    rows = levelstats.load_rows(os.path.join(here, 'report.json'))
    levelstats.curve_plot(rows, os.path.join(here, 'curve.png'), levels.LEVELS_PER_CHAPTER)
    levelstats.contact_sheet(game_dir, chosen, rows, os.path.join(here, 'contact_sheet.png'),
                             lambda n: 'data/gfx/levels/%s.png' % levels.level_name(n))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--game', default=os.path.join(root, 'game'), help='the game folder to fill')
    parser.add_argument('--levels-only', action='store_true', help='write only the levels and backgrounds')
    parser.add_argument('--prove', metavar='BUILD', help='build folder with marbles-solve and marbles-sim')
    parser.add_argument('--only', help='comma-separated level numbers to write (and prove)')
    parser.add_argument('--players', type=int, default=REPORT_PLAYERS, help='players of each kind per level in the report')
    parser.add_argument('--no-backgrounds', action='store_true', help='do not draw the level backgrounds')
    parser.add_argument('--report', metavar='BUILD', help='measure the shipped levels and write report.md, '
                        'report.json, curve.png and contact_sheet.png beside this script')
    parser.add_argument('--pictures', action='store_true', help='draw curve.png and contact_sheet.png again '
                        'from report.json')
    args = parser.parse_args()
    for name in ('prove', 'report'):
        if getattr(args, name):
            setattr(args, name, os.path.abspath(getattr(args, name)))

    chosen = chapters.LEVELS
    if args.only:
        wanted = {int(n) for n in args.only.split(',')}
        chosen = [l for l in chapters.LEVELS if l.number in wanted]
    if args.report:
        report(args.report, args.game, chosen, args.players)
        return 0
    if args.pictures:
        pictures_of_report(args.game, chosen)
        return 0
    if not args.levels_only:
        with tempfile.TemporaryDirectory() as scratch:
            pictures.make_marbles(args.game)
            pictures.make_hud_font(args.game)
            pictures.make_screens(args.game, scratch)
            pictures.make_gui(args.game, scratch)
    os.makedirs(os.path.join(args.game, 'data/levels'), exist_ok=True)
    seeds = load_seeds()
    proven = {}
    if not args.no_backgrounds:
        levels.make_backgrounds(args.game, chosen)
        levels.make_editor_backgrounds(args.game)
    levels.make_level_list(args.game, chapters.LEVELS)
    failed = []
    for level in chosen:
        kept = seeds.get(level.number)
        level.painted = kept['types'] if isinstance(kept, dict) else None
        if args.prove:
            if not prove(args.prove, args.game, level, seeds):
                failed.append(level.number)
                continue
            proven[level.number] = seeds[level.number]
            save_seeds(proven)
        else:
            levels.write_level(args.game, level)
    if failed:
        print('not proven: %s' % ', '.join(map(str, failed)))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
