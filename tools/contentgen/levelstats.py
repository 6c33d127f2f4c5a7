"""Measures the shipped levels with the Release tools (marbles-solve, marbles-sim) and writes
what a designer needs to judge them: the table of every level (marbles, types, structures,
random and look-ahead players' wins, winning first moves, proof time, comfort of the physics),
a contact sheet of the settled start piles, and the curve as a picture."""

import json
import os
import subprocess
import tempfile

from imaging import Canvas, text_width, write_png
from pictures import MARBLE_TYPES, to_screen

UPPER_HALF_Y = 5.0      # the middle of the screen in world units (it shows y from -10 to 20)
DELAYS = (0, 10, 20, 30, 40)
SOLVE_KEYS = ['level', 'winnable', 'search', 'moves', 'first_moves', 'winning_first_moves', 'random_wins',
              'players', 'seconds', 'lookahead_wins', 'proof_seconds']


def solve(build, path, players, write=True):
    """The solver's table line for the level at path, as a dict with the two players' shares."""
    args = [os.path.join(build, 'marbles-solve'), '--table', '--players', str(players)]
    if not write:
        args.append('--no-write')
    out = subprocess.run(args + [path], capture_output=True, text=True).stdout.strip().splitlines()
    row = dict(zip(SOLVE_KEYS, out[-1].split(',')))
    total = max(1, int(row['players']))
    row['share'] = int(row['random_wins']) / total
    row['lookahead'] = int(row['lookahead_wins']) / total
    return row


def play(build, solution, path, *options):
    """marbles-sim --play with options: (exit status, output lines)."""
    with tempfile.TemporaryDirectory() as scratch:
        result = subprocess.run([os.path.join(build, 'marbles-sim'), *options, '--play', solution, path], cwd=scratch,
                                capture_output=True, text=True)
    return result.returncode, result.stdout.splitlines()


def comfort(build, solution, path):
    """The solution replay's comfort: won, largest overlap at rest and in flight, visit-cap steps."""
    status, lines = play(build, solution, path, '--comfort')
    values = dict(line.split(' ', 1) for line in lines if ' ' in line)
    return {'won': status in (0, 4), 'comfortable': status == 0,
            'overlap': float(values.get('largest_overlap_radii', 'nan')),
            'flight': float(values.get('largest_flight_overlap_radii', 'nan')),
            'cap_steps': int(values.get('visit_cap_steps', '-1'))}


def late_wins(build, solution, path):
    """The reaction delays (steps after each settle) at which the solution still wins."""
    return [d for d in DELAYS if play(build, solution, path, '--delay', str(d))[0] == 0]


def settled_pile(build, path):
    """The marbles of the level's first settled pile: (type, x, y) each."""
    out = subprocess.run([os.path.join(build, 'marbles-sim'), '--sleep', '--csv', '--steps', '900', path],
                         capture_output=True, text=True).stdout.splitlines()
    pile = []
    for line in out:
        cells = line.split(',')
        if len(cells) == 8 and cells[2] == 'circle':
            pile.append((int(cells[3]), float(cells[4]), float(cells[5])))
    return pile


def upper_half(pile):
    return sum(1 for _, _, y in pile if y < UPPER_HALF_Y)


def measure(build, game_dir, level, level_path, players):
    solution = level_path[:-len('.xml')] + '.solution'
    row = solve(build, level_path, players, write=False)
    pile = settled_pile(build, level_path)
    row.update(comfort(build, solution, level_path))
    row['delays'] = late_wins(build, solution, level_path)
    row['number'] = level.number
    row['marbles'] = len(level.positions)
    row['types'] = len(level.type_counts)
    row['structures'] = level.structures
    row['upper'] = upper_half(pile)
    row['pile'] = pile
    return row


def table_markdown(rows):
    lines = ['| level | marbles | types | structures | random wins | look-ahead wins | winning first moves | '
             'proof (s) | overlap at rest (radii) | overlap in flight (radii) | visit-cap steps | '
             'marbles in the upper half | wins when late (steps) |',
             '|---|---|---|---|---|---|---|---|---|---|---|---|---|']
    for r in rows:
        lines.append('| %d | %d | %d | %s | %.0f %% | %.0f %% | %s of %s | %s | %.3f | %.3f | %d | %d | %s |' % (
            r['number'], r['marbles'], r['types'], ', '.join(r['structures']), 100 * r['share'], 100 * r['lookahead'],
            r['winning_first_moves'], r['first_moves'], r['proof_seconds'], r['overlap'], r['flight'], r['cap_steps'],
            r['upper'], '0-40' if len(r['delays']) == len(DELAYS) else ','.join(map(str, r['delays']))))
    return '\n'.join(lines) + '\n'


def _label(text, path):
    """A small PNG of text in the 5x7 font (ImageMagick here has no fonts to draw text with)."""
    canvas = Canvas(text_width(text, 4) + 12, 7 * 4 + 12, (20, 20, 20))
    canvas.text(6, 6, text, (255, 255, 255), 4)
    write_png(canvas, path, alpha=False)


def contact_sheet(game_dir, levels, rows, out_path, level_image):
    """The settled start pile of every level over its background, six to a row, a quarter size."""
    with tempfile.TemporaryDirectory() as scratch:
        tiles = []
        for level, row in zip(levels, rows):
            draws = []
            for marble_type, x, y in row['pile']:
                sx, sy = to_screen(x, y)
                colour = MARBLE_TYPES[marble_type % len(MARBLE_TYPES)][1] if marble_type >= 0 else (200, 200, 200)
                draws += ['-fill', 'rgb(%d,%d,%d)' % colour, '-draw', 'circle %.1f,%.1f %.1f,%.1f' % (sx, sy, sx + 15, sy)]
            tile = os.path.join(scratch, 'tile%02d.png' % level.number)
            label = os.path.join(scratch, 'label%02d.png' % level.number)
            _label(str(level.number), label)
            subprocess.run(['convert', os.path.join(game_dir, level_image(level.number)), '-stroke', 'black',
                            '-strokewidth', '1', *draws, label, '-geometry', '+8+8', '-composite', '-resize', '25%',
                            tile], check=True)
            tiles.append(tile)
        subprocess.run(['montage', *tiles, '-tile', '6x', '-geometry', '+2+2', '-background', '#202020', out_path],
                       check=True)


def _line(canvas, x0, y0, x1, y1, colour, width=1):
    steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
    for k in range(steps + 1):
        x = x0 + (x1 - x0) * k / steps
        y = y0 + (y1 - y0) * k / steps
        canvas.fill_rect(int(round(x - width / 2)), int(round(y - width / 2)), width, width, colour)


def curve_plot(rows, out_path, per_chapter):
    """Look-ahead (white) and random (grey) players' wins by level, one polyline per chapter,
    chapters divided by lines; the share axis from 0 to 100 %."""
    width, height, left, top, bottom = 780, 320, 56, 20, 60
    step = (width - left - 20) / max(1, len(rows) - 1)
    canvas = Canvas(width, height, (24, 24, 24))

    def point(k, share):
        return left + k * step, top + (1.0 - share) * (height - top - bottom)

    for share in (0.0, 0.25, 0.5, 0.75, 1.0):
        _, y = point(0, share)
        _line(canvas, left, y, width - 20, y, (60, 60, 60))
        canvas.text(4, int(y) - 3, str(round(100 * share)), (170, 170, 170), 1)
    for c in range(1, (len(rows) + per_chapter - 1) // per_chapter):
        x, _ = point(c * per_chapter - 0.5, 0)
        _line(canvas, x, top, x, height - bottom, (120, 120, 120))
    for key, colour in (('share', (140, 140, 140)), ('lookahead', (255, 255, 255))):
        for first in range(0, len(rows), per_chapter):
            chapter = range(first, min(len(rows), first + per_chapter))
            for k in chapter:
                x, y = point(k, rows[k][key])
                canvas.fill_rect(int(x) - 2, int(y) - 2, 5, 5, colour)
                if k + 1 in chapter:
                    _line(canvas, x, y, *point(k + 1, rows[k + 1][key]), colour, 2)
    for k in range(0, len(rows), 3):
        x, _ = point(k, 0)
        canvas.text(int(x) - 3, height - bottom + 8, str(k + 1), (170, 170, 170), 1)
    canvas.text(left, height - 26, 'LOOK-AHEAD PLAYERS', (255, 255, 255), 2)
    canvas.text(left + 260, height - 26, 'RANDOM PLAYERS', (140, 140, 140), 2)
    write_png(canvas, out_path, alpha=False)


def steady(rows, per_chapter, slack=0.05):
    """Levels whose look-ahead share rises by more than slack over the one before, in a chapter."""
    return [rows[k]['number'] for k in range(1, len(rows))
            if k % per_chapter and rows[k]['lookahead'] > rows[k - 1]['lookahead'] + slack]


def save_rows(rows, path):
    with open(path, 'w') as f:
        json.dump(rows, f, indent=None, separators=(',', ':'))
        f.write('\n')


def load_rows(path):
    with open(path) as f:
        return json.load(f)
