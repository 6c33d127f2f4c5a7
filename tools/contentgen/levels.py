"""The level designs: static boxes, where the marbles start and how many of each type, written
as level files with their physics model, graphics and sprite data, plus the level list."""

import math
import os
import random

from pictures import MARBLE_TYPES, make_level_background, marble_sprite_file, write_text

MARBLE_RADIUS = 1.0
# A solid disc of mass 1: moment of inertia m r^2 / 2.
MARBLE_INVERSE_MASS = 1.0
MARBLE_INVERSE_INERTIA = 2.0
SPACING = 2.05          # centre distance in a row; marbles never start overlapping
ROW_HEIGHT = 1.8        # rows of a hexagonal pile, also clear of each other

# The frame of every level: floor top at y 19, inner wall faces at x -19 and 19, screen top -10.
FLOOR_TOP = 19.0
INNER_LEFT, INNER_RIGHT = -19.0, 19.0

def _frame():
    """Floor tiles and wall bricks, each a static box of 2 by 2 units."""
    boxes = [(float(x), 20.0, 1.0, 1.0, 0.0) for x in range(-20, 21, 2)]
    for y in range(-9, 19, 2):
        boxes.append((-20.0, float(y), 1.0, 1.0, 0.0))
        boxes.append((20.0, float(y), 1.0, 1.0, 0.0))
    return boxes


# The frame of every level. Marbles never lie quite still on a box (each step's gravity is met
# by a bounce), and the world counts as resting on the mean speed over all bodies, static ones
# included: a frame of many bricks keeps that mean low enough once the pile has settled.
FRAME = _frame()


def pile(x_left, x_right, y_bottom, count):
    """Centres of count marbles stacked in hexagonal rows from y_bottom upwards."""
    positions = []
    row = 0
    while len(positions) < count:
        offset = SPACING / 2 if row % 2 else 0.0
        x = x_left + MARBLE_RADIUS + offset
        while x <= x_right - MARBLE_RADIUS + 1e-6 and len(positions) < count:
            positions.append((round(x, 3), round(y_bottom - row * ROW_HEIGHT, 3)))
            x += SPACING
        row += 1
    return positions


class Level:
    def __init__(self, number, blocks, piles, type_counts, tint):
        self.number = number
        self.blocks = FRAME + blocks
        self.positions = [p for heap in piles for p in pile(*heap)]
        self.type_counts = type_counts
        self.tint = tint
        assert all(n % 3 == 0 for n in type_counts), 'every type must come in threes'
        assert sum(type_counts) == len(self.positions), (number, sum(type_counts), len(self.positions))

    def marble_types(self):
        """Types by position: threes of one type on neighbouring places of a pile, the threes in
        shuffled order, so that every level starts with chains the player can clear."""
        threes = [t for t, n in enumerate(self.type_counts) for _ in range(n // 3)]
        random.Random(1000 + self.number).shuffle(threes)
        return [t for t in threes for _ in range(3)]


def _shelf(cx, cy, half_width, angle):
    return (cx, cy, half_width, 0.5, angle)


def _peg(cx, cy):
    return (cx, cy, 0.7, 0.7, math.pi / 4)


LEVELS = [
    # 1: one small bin, three colours.
    Level(1, [(-7.5, 16.0, 0.5, 3.0, 0.0), (7.5, 16.0, 0.5, 3.0, 0.0)],
          [(-7.0, 7.0, 17.9, 9)], [3, 3, 3], (90, 140, 220)),
    # 2: a wider bin with a bump in the middle of the floor.
    Level(2, [(-10.5, 16.0, 0.5, 3.0, 0.0), (10.5, 16.0, 0.5, 3.0, 0.0), (0.0, 18.5, 1.5, 0.5, 0.0)],
          [(-10.0, -1.6, 17.9, 6), (1.6, 10.0, 17.9, 6)], [6, 3, 3], (110, 200, 140)),
    # 3: two bins side by side, three colours spread over both.
    Level(3, [(0.0, 15.5, 0.6, 3.5, 0.0)],
          [(-18.9, -0.7, 17.9, 9), (0.7, 18.9, 17.9, 9)], [6, 6, 6], (200, 150, 90)),
    # 4: four colours under two sloping shelves.
    Level(4, [_shelf(-11.0, 9.0, 5.0, 0.25), _shelf(11.0, 9.0, 5.0, -0.25)],
          [(-18.9, 18.9, 17.9, 18), (-15.0, -8.0, 6.0, 3), (8.0, 15.0, 6.0, 3)],
          [6, 6, 6, 6], (170, 110, 210)),
    # 5: three bins, four colours.
    Level(5, [(-6.5, 15.0, 0.5, 4.0, 0.0), (6.5, 15.0, 0.5, 4.0, 0.0)],
          [(-18.9, -7.0, 17.9, 10), (-6.0, 6.0, 17.9, 10), (7.0, 18.9, 17.9, 10)],
          [9, 6, 9, 6], (90, 190, 200)),
    # 6: five colours in a funnel that empties onto the floor.
    Level(6, [_shelf(-10.5, 5.0, 8.0, 0.35), _shelf(10.5, 5.0, 8.0, -0.35)],
          [(-18.9, 18.9, 17.9, 18), (-16.0, -4.0, 0.0, 6), (4.0, 16.0, 0.0, 6)],
          [6, 6, 6, 6, 6], (220, 120, 120)),
    # 7: five colours, a field of pegs above three bins.
    Level(7, [(-6.5, 15.5, 0.5, 3.5, 0.0), (6.5, 15.5, 0.5, 3.5, 0.0)]
          + [_peg(x, 6.0) for x in (-12.0, -4.0, 4.0, 12.0)] + [_peg(x, 1.5) for x in (-8.0, 0.0, 8.0)],
          [(-18.9, -7.0, 17.9, 8), (-6.0, 6.0, 17.9, 8), (7.0, 18.9, 17.9, 8), (-15.0, 15.0, -3.0, 9)],
          [9, 6, 6, 6, 6], (120, 160, 110)),
    # 8: six colours, shelves, pegs and four bins.
    Level(8, [(-9.5, 16.0, 0.5, 3.0, 0.0), (0.0, 16.0, 0.5, 3.0, 0.0), (9.5, 16.0, 0.5, 3.0, 0.0),
              _shelf(-12.0, 8.0, 5.5, 0.3), _shelf(12.0, 8.0, 5.5, -0.3), _peg(0.0, 8.0)],
          [(-18.9, -10.0, 17.9, 6), (-9.0, -0.5, 17.9, 6), (0.5, 9.0, 17.9, 6), (10.0, 18.9, 17.9, 6),
           (-16.0, -6.0, 2.0, 6), (6.0, 16.0, 2.0, 6), (-4.0, 4.0, 4.0, 3)],
          [6, 9, 6, 6, 6, 6], (200, 190, 90)),
]


def _body(shape, inverse_mass, inverse_inertia, static, colour, init_id, extent, position):
    return ('    <RigidBody shape="%d" orientation="%g" angularVelocity="0" inverseMass="%g" '
            'inverseMomentOfInertia="%g" staticObject="%d" color="%d" initId="%d" >\n'
            '      <Radius x="%g" y="%g" />\n'
            '      <Position x="%g" y="%g" />\n'
            '      <Velocity x="0" y="0" />\n'
            '    </RigidBody>\n' % (shape, position[2], inverse_mass, inverse_inertia, static, colour,
                                    init_id, extent[0], extent[1], position[0], position[1]))


def level_xml(level, background_sprite):
    bodies = []
    init_id = 1
    for cx, cy, hw, hh, angle in level.blocks:
        bodies.append(_body(1, 0, 0, 1, -1, init_id, (hw, hh), (cx, cy, angle)))
        init_id += 1
    for (x, y), marble_type in zip(level.positions, level.marble_types()):
        bodies.append(_body(0, MARBLE_INVERSE_MASS, MARBLE_INVERSE_INERTIA, 0, marble_type, init_id,
                            (MARBLE_RADIUS, MARBLE_RADIUS), (x, y, 0.0)))
        init_id += 1
    used = sorted(set(level.marble_types()))
    sprites = ''.join('      <Sprite marble_type="%d" sprite_file="%s" />\n' % (t, marble_sprite_file(t))
                      for t in used)
    return ('<MarblesLevel>\n'
            '  <Graphics background_image="%s" level_complete_image="data/level_complete.xml" '
            'level_failed_image="data/level_lost.xml" >\n'
            '    <SpriteData>\n%s    </SpriteData>\n'
            '  </Graphics>\n'
            '  <PhysicsModel>\n%s  </PhysicsModel>\n'
            '</MarblesLevel>\n' % (background_sprite, sprites, ''.join(bodies)))


def level_file(number):
    return 'data/levels/level%02d.xml' % number


def make_levels(game_dir):
    os.makedirs(os.path.join(game_dir, 'data/levels'), exist_ok=True)
    assert max(len(l.type_counts) for l in LEVELS) <= len(MARBLE_TYPES)
    entries = []
    for level in LEVELS:
        background = make_level_background(game_dir, level.number, level.blocks, level.tint)
        write_text(os.path.join(game_dir, level_file(level.number)), level_xml(level, background))
        entries.append('  <Level position="%d" filename="%s" completed="0" />\n'
                       % (level.number, level_file(level.number)))
    write_text(os.path.join(game_dir, 'data/level_list.xml'),
               '<LevelList>\n%s</LevelList>\n' % ''.join(entries))
    return [level_file(level.number) for level in LEVELS]
