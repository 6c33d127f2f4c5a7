"""The level designs: static shapes (slopes, funnels, pegs, shelves, V-floors), where the
marbles start and how many of each type, written as level files with their physics model,
graphics and sprite data, plus the level list. Each level names a band for the share of random
players that win it; `contentgen.py --prove` tries type layouts (by seed) until the solver finds
the level winnable with a random-player share inside the band, and writes the solution."""

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

# Three solid boxes: the floor and two walls reaching above the screen.
FRAME = [(0.0, 20.0, 21.0, 1.0, 0.0), (-20.0, 4.0, 1.0, 17.0, 0.0), (20.0, 4.0, 1.0, 17.0, 0.0)]


def slope(x0, y0, x1, y1, thickness=0.5):
    """A static box whose top face runs from (x0, y0) to (x1, y1)."""
    angle = math.atan2(y1 - y0, x1 - x0)
    half = math.hypot(x1 - x0, y1 - y0) / 2
    # The centre lies half a thickness below the top face.
    nx, ny = -math.sin(angle), math.cos(angle)
    return ((x0 + x1) / 2 + nx * thickness, (y0 + y1) / 2 + ny * thickness, half, thickness, angle)


def peg(x, y, size=0.7):
    return (x, y, size, size, math.pi / 4)


def post(x, y_top, height=3.0, half_width=0.5):
    """An upright divider standing on the floor, its top at y_top."""
    return (x, y_top + height / 2, half_width, height / 2, 0.0)


def v_floor(depth=3.0, centre=0.0, left=INNER_LEFT, right=INNER_RIGHT):
    """Two slopes meeting at centre, depth units below the walls' ends."""
    return [slope(left - 0.5, FLOOR_TOP - depth - 0.3, centre + 0.6, FLOOR_TOP),
            slope(centre - 0.6, FLOOR_TOP, right + 0.5, FLOOR_TOP - depth - 0.3)]


def w_floor(depth=2.5):
    """Two V-floors side by side with a ridge in the middle."""
    return (v_floor(depth, -9.5, INNER_LEFT, 0.0) + v_floor(depth, 9.5, 0.0, INNER_RIGHT))


def funnel(y_top, y_bottom, gap, left=INNER_LEFT, right=INNER_RIGHT):
    """Two slopes from the walls down to a gap of the given width in the middle."""
    mid = (left + right) / 2
    return [slope(left - 0.5, y_top, mid - gap / 2, y_bottom), slope(mid + gap / 2, y_bottom, right + 0.5, y_top)]


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


def v_pile(count, depth, centre=0.0, left=INNER_LEFT, right=INNER_RIGHT, lift=0.3):
    """Centres of count marbles laid in rows into a V-floor of the given depth, from its bottom
    up, close to where they come to rest, so neighbours stay neighbours."""
    positions = []
    row = 0
    half_span = min(centre - left, right - centre)
    while len(positions) < count and row < 40:
        y = FLOOR_TOP - 1.15 * MARBLE_RADIUS - lift - row * ROW_HEIGHT
        # How far from the centre a marble at this height stays clear of the slopes.
        secant = math.hypot(1.0, depth / half_span)
        half = min(half_span - 1.1, (FLOOR_TOP - y - 1.1 * MARBLE_RADIUS * secant) / depth * half_span)
        n = max(1, int((2 * half) / SPACING) + 1) if half >= 0 else 1
        # Rows alternate between an odd and an even count, so each nests in the one below.
        if n % 2 != (1 if row % 2 == 0 else 0):
            n -= 1
        if n <= 0:
            row += 1
            continue
        x0 = centre - (n - 1) * SPACING / 2
        for k in range(n):
            x = x0 + k * SPACING
            if left + 1.05 < x < right - 1.05 and len(positions) < count:
                positions.append((round(x, 3), round(y, 3)))
        row += 1
    return positions


class Level:
    """number, static boxes, piles (x_left, x_right, y_bottom, count), marbles per type, how types
    are laid out ('threes': shuffled threes on neighbouring places; 'mixed': shuffled singly;
    'painted': by a play of the uncoloured level, three touching marbles at a time, which makes
    it winnable by construction),
    background tint and pattern, and the band (low, high) of random players' wins to aim at."""

    def __init__(self, number, blocks, piles, type_counts, layout, tint, pattern, band):
        self.number = number
        self.blocks = FRAME + blocks
        self.positions = [p for heap in piles for p in (heap if isinstance(heap, list) else pile(*heap))]
        self.type_counts = type_counts
        self.layout = layout
        self.tint = tint
        self.pattern = pattern
        self.band = band
        self.seed = 0
        # Types by marble index, for 'painted' levels (found by playing the level, see
        # contentgen.py --prove).
        self.painted = None
        assert all(n % 3 == 0 for n in type_counts), 'every type must come in threes'
        assert 3 <= len(type_counts) <= len(MARBLE_TYPES)
        assert sum(type_counts) == len(self.positions), (number, sum(type_counts), len(self.positions))

    def marble_types(self):
        """Types by position, from the level's number and its current seed."""
        rng = random.Random(1000 * self.number + self.seed)
        if self.layout == 'painted':
            return list(self.painted) if self.painted else [0] * len(self.positions)
        if self.layout == 'mixed':
            types = [t for t, n in enumerate(self.type_counts) for _ in range(n)]
            rng.shuffle(types)
            return types
        threes = [t for t, n in enumerate(self.type_counts) for _ in range(n // 3)]
        rng.shuffle(threes)
        return [t for t in threes for _ in range(3)]


# Random-player bands along the curve: forgiving first, planning later, never pure luck.
EASY, GENTLE, MEDIUM, HARD, EXPERT = (0.6, 1.0), (0.3, 0.95), (0.1, 0.7), (0.03, 0.45), (0.005, 0.3)

LEFT_V = dict(centre=-9.5, left=INNER_LEFT, right=0.0)
RIGHT_V = dict(centre=9.5, left=0.0, right=INNER_RIGHT)

LEVELS = [
    # 1: nine marbles laid in a V.
    Level(1, v_floor(8.0), [v_pile(9, 8.0)], [3, 3, 3], 'threes', (90, 140, 220), 'grid', EASY),
    # 2: twelve in a V, a peg above them.
    Level(2, v_floor(8.0) + [peg(0.0, 4.0)], [v_pile(12, 8.0)], [6, 3, 3], 'threes', (110, 200, 140), 'dots', EASY),
    # 3: two Vs side by side.
    Level(3, w_floor(7.0), [v_pile(6, 7.0, **LEFT_V), v_pile(9, 7.0, **RIGHT_V)], [6, 6, 3], 'threes',
          (200, 150, 90), 'stripes', EASY),
    # 4: a steep V, four colours.
    Level(4, v_floor(10.0), [v_pile(15, 10.0)], [3, 6, 3, 3], 'threes', (170, 110, 210), 'waves', EASY),
    # 5: a V with shelves that tip three more marbles in.
    Level(5, v_floor(8.0) + [slope(INNER_LEFT - 0.5, 2.0, -9.0, 5.0), slope(9.0, 5.0, INNER_RIGHT + 0.5, 2.0)],
          [v_pile(12, 8.0), (-18.0, -12.0, 0.0, 3), (12.0, 18.0, 0.0, 3)], [6, 3, 6, 3], 'threes',
          (90, 190, 200), 'grid', GENTLE),
    # 6: a wide V with two pegs above, four colours.
    Level(6, v_floor(9.0) + [peg(-6.0, 3.0), peg(6.0, 3.0)], [v_pile(18, 9.0), (-10.0, 10.0, 0.0, 3)],
          [6, 6, 6, 3], 'threes', (220, 120, 120), 'dots', GENTLE),
    # 7: pegs over a V, four colours.
    Level(7, v_floor(9.0) + [peg(x, 6.0) for x in (-9.0, -3.0, 3.0, 9.0)], [v_pile(15, 9.0), (-12.0, 12.0, 2.0, 9)],
          [6, 6, 6, 6], 'threes', (120, 160, 110), 'stripes', GENTLE),
    # 8: a funnel emptying into a V.
    Level(8, funnel(0.0, 5.0, 5.0) + v_floor(8.0), [v_pile(15, 8.0), (-16.0, 16.0, -2.0, 12)], [6, 6, 9, 6], 'threes',
          (200, 190, 90), 'waves', GENTLE),
    # 9: a V off to the left, a shelf above it.
    Level(9, v_floor(10.0, -5.0) + [slope(0.0, 4.0, 10.0, 1.0)],
          [v_pile(24, 10.0, centre=-5.0), (1.0, 9.0, -1.0, 6)], [6, 6, 6, 6, 6], 'painted', (90, 120, 200), 'grid',
          MEDIUM),
    # 10: five colours mixed in a deep V.
    Level(10, v_floor(11.0), [v_pile(27, 11.0)], [6, 6, 6, 6, 3], 'painted', (150, 200, 90), 'dots', MEDIUM),
    # 11: shelves over a V, five colours.
    Level(11, v_floor(9.0) + [slope(-14.0, 3.0, -6.0, 6.0), slope(6.0, 6.0, 14.0, 3.0)],
          [v_pile(18, 9.0), (-14.0, -6.0, 1.0, 6), (6.0, 14.0, 1.0, 6)], [6, 6, 6, 6, 6], 'painted',
          (210, 140, 170), 'stripes', MEDIUM),
    # 12: pegs in a diamond over a V.
    Level(12, v_floor(10.0) + [peg(0.0, 0.0), peg(-5.0, 4.0), peg(5.0, 4.0)],
          [v_pile(24, 10.0), (-9.0, 9.0, -2.0, 9)], [9, 6, 6, 6, 6], 'painted', (100, 180, 170), 'waves', MEDIUM),
    # 13: a funnel over a V off to the right.
    Level(13, funnel(0.0, 5.0, 4.0, -4.0, INNER_RIGHT) + v_floor(9.0, 6.0),
          [v_pile(21, 9.0, centre=6.0), (-2.0, 18.0, -2.0, 12)], [9, 6, 6, 6, 6], 'painted', (180, 120, 90), 'grid', MEDIUM),
    # 14: a steep V, five colours mixed.
    Level(14, v_floor(12.0), [v_pile(36, 12.0)], [9, 6, 9, 6, 6], 'painted', (120, 110, 200), 'dots', MEDIUM),
    # 15: six colours in a V, two shelves.
    Level(15, v_floor(10.0) + [slope(INNER_LEFT - 0.5, 1.0, -10.0, 4.0), slope(10.0, 4.0, INNER_RIGHT + 0.5, 1.0)],
          [v_pile(24, 10.0), (-18.0, -11.0, -1.0, 6), (11.0, 18.0, -1.0, 6)], [6] * 6, 'painted',
          (200, 100, 90), 'stripes', HARD),
    # 16: a V to the left and a shelf above it.
    Level(16, v_floor(9.0, -6.0) + [slope(-4.0, 2.0, INNER_RIGHT + 0.5, -1.0)],
          [v_pile(24, 9.0, centre=-6.0), (0.0, 18.0, -3.0, 15)], [9, 9, 6, 9, 6], 'painted', (90, 170, 120), 'waves', HARD),
    # 17: six colours, a funnel over a V.
    Level(17, funnel(-1.0, 4.0, 5.0) + v_floor(11.0), [v_pile(30, 11.0), (-18.0, 18.0, -3.0, 12)],
          [9, 6, 6, 9, 6, 6], 'painted', (160, 150, 210), 'grid', HARD),
    # 18: a field of pegs over a V.
    Level(18, v_floor(10.0) + [peg(x, 5.0) for x in (-12.0, -6.0, 0.0, 6.0, 12.0)]
          + [peg(x, 1.0) for x in (-9.0, -3.0, 3.0, 9.0)], [v_pile(27, 10.0), (-18.0, 18.0, -2.0, 15)],
          [6, 9, 6, 6, 9, 6], 'painted', (210, 180, 110), 'dots', HARD),
    # 19: shelves in a zigzag over a V.
    Level(19, v_floor(11.0) + [slope(-12.0, 2.0, -4.0, 5.0), slope(4.0, 5.0, 12.0, 2.0)],
          [v_pile(30, 11.0), (-18.0, 18.0, 0.0, 15)], [9, 6, 9, 6, 9, 6], 'painted', (100, 140, 160), 'stripes', HARD),
    # 20: a deep V under a funnel, six colours mixed.
    Level(20, funnel(-3.0, 2.0, 6.0) + v_floor(11.0), [v_pile(33, 11.0), (-18.0, 18.0, -5.0, 15)],
          [9, 9, 6, 9, 9, 6], 'painted', (190, 110, 150), 'waves', HARD),
    # 21: a staircase of shelves over a V.
    Level(21, v_floor(10.0) + [slope(INNER_LEFT - 0.5, 0.0, -8.0, 3.0), slope(8.0, 3.0, INNER_RIGHT + 0.5, 0.0)],
          [v_pile(33, 10.0), (-18.0, -9.0, -2.0, 9), (9.0, 18.0, -2.0, 9)], [9, 9, 9, 6, 9, 9], 'painted',
          (120, 190, 150), 'grid', EXPERT),
    # 22: pegs over a wide V.
    Level(22, v_floor(9.0) + [peg(x, 1.0) for x in (-14.0, -7.0, 0.0, 7.0, 14.0)],
          [v_pile(36, 9.0), (-18.0, 18.0, -2.0, 18)], [9] * 6, 'painted', (170, 130, 100), 'dots', EXPERT),
    # 23: two funnels over a deep V.
    Level(23, funnel(-4.0, 1.0, 3.5, INNER_LEFT, 0.0) + funnel(-4.0, 1.0, 3.5, 0.0, INNER_RIGHT) + v_floor(12.0),
          [v_pile(39, 12.0), (-18.0, -1.0, -6.0, 9), (1.0, 18.0, -6.0, 9)], [12, 9, 9, 9, 9, 9], 'painted',
          (110, 110, 190), 'stripes', EXPERT),
    # 24: sixty marbles in a deep V.
    Level(24, v_floor(13.0), [v_pile(45, 13.0), (-18.0, 18.0, -3.0, 15)], [12, 9, 12, 9, 9, 9], 'painted',
          (200, 160, 90), 'waves', EXPERT),
]


def _body(shape, inverse_mass, inverse_inertia, static, colour, init_id, extent, position):
    return ('    <RigidBody shape="%d" orientation="%.6g" angularVelocity="0" inverseMass="%g" '
            'inverseMomentOfInertia="%g" staticObject="%d" color="%d" initId="%d" >\n'
            '      <Radius x="%.6g" y="%.6g" />\n'
            '      <Position x="%.6g" y="%.6g" />\n'
            '      <Velocity x="0" y="0" />\n'
            '    </RigidBody>\n' % (shape, position[2], inverse_mass, inverse_inertia, static, colour,
                                    init_id, extent[0], extent[1], position[0], position[1]))


def level_xml(level, background_sprite):
    bodies = []
    init_id = 1
    for cx, cy, hw, hh, angle in level.blocks:
        bodies.append(_body(1, 0, 0, 1, -1, init_id, (hw, hh), (cx, cy, angle)))
        init_id += 1
    types = level.marble_types()
    for (x, y), marble_type in zip(level.positions, types):
        bodies.append(_body(0, MARBLE_INVERSE_MASS, MARBLE_INVERSE_INERTIA, 0, marble_type, init_id,
                            (MARBLE_RADIUS, MARBLE_RADIUS), (x, y, 0.0)))
        init_id += 1
    sprites = ''.join('      <Sprite marble_type="%d" sprite_file="%s" />\n' % (t, marble_sprite_file(t))
                      for t in range(len(level.type_counts)))
    return ('<MarblesLevel>\n'
            '  <Graphics background_image="%s" level_complete_image="data/level_complete.xml" '
            'level_failed_image="data/level_lost.xml" >\n'
            '    <SpriteData>\n%s    </SpriteData>\n'
            '  </Graphics>\n'
            '  <PhysicsModel>\n%s  </PhysicsModel>\n'
            '</MarblesLevel>\n' % (background_sprite, sprites, ''.join(bodies)))


def first_marble_id(level):
    """The initId of the level's first marble: the static shapes come first."""
    return len(level.blocks) + 1


def level_file(number):
    return 'data/levels/level%02d.xml' % number


def background_sprite(number):
    return 'data/gfx/levels/level%02d.xml' % number


def write_level(game_dir, level):
    write_text(os.path.join(game_dir, level_file(level.number)), level_xml(level, background_sprite(level.number)))


def make_backgrounds(game_dir, levels):
    for level in levels:
        make_level_background(game_dir, level.number, level.blocks, level.tint, level.pattern)


# The level editor's backgrounds: the frame alone, in a tint and pattern each (the editor
# draws the player's boxes itself).
EDITOR_BACKGROUNDS = [((90, 140, 220), 'grid'), ((110, 200, 140), 'dots'), ((170, 110, 210), 'waves'),
                      ((220, 150, 90), 'stripes'), ((200, 90, 110), 'grid'), ((120, 190, 150), 'dots')]


def make_editor_backgrounds(game_dir):
    for number, (tint, pattern) in enumerate(EDITOR_BACKGROUNDS, start=1):
        make_level_background(game_dir, number, FRAME, tint, pattern, 'data/gfx/editor/background%d')


def make_level_list(game_dir):
    entries = ''.join('  <Level position="%d" filename="%s" completed="0" />\n' % (l.number, level_file(l.number))
                      for l in LEVELS)
    write_text(os.path.join(game_dir, 'data/level_list.xml'), '<LevelList>\n%s</LevelList>\n' % entries)
