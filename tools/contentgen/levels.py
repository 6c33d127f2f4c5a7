"""The shapes levels are built of (slopes, V-floors, funnels, pegs, uprights, piles of marbles
laid where they come to rest), the level class, and the writing of level files with their
physics model, graphics and sprite data, their backgrounds and the level list. The levels
themselves are designed in chapters.py; `contentgen.py --prove` colours them."""

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


LEVELS_PER_CHAPTER = 12


def level_name(number):
    """Levels are named by chapter and place in it: the old names (level01 to level24) belonged to
    other levels, and a player's wins follow file names."""
    return 'chapter%d_level%02d' % ((number - 1) // LEVELS_PER_CHAPTER + 1, (number - 1) % LEVELS_PER_CHAPTER + 1)


def level_file(number):
    return 'data/levels/%s.xml' % level_name(number)


def background_sprite(number):
    return 'data/gfx/levels/%s.xml' % level_name(number)


def write_level(game_dir, level):
    write_text(os.path.join(game_dir, level_file(level.number)), level_xml(level, background_sprite(level.number)))


def make_backgrounds(game_dir, levels):
    for level in levels:
        make_level_background(game_dir, level_name(level.number), level.blocks, level.tint, level.pattern)


# The level editor's backgrounds: the frame alone, in a tint and pattern each (the editor
# draws the player's boxes itself).
EDITOR_BACKGROUNDS = [((90, 140, 220), 'grid'), ((110, 200, 140), 'dots'), ((170, 110, 210), 'waves'),
                      ((220, 150, 90), 'stripes'), ((200, 90, 110), 'grid'), ((120, 190, 150), 'dots')]


def make_editor_backgrounds(game_dir):
    for number, (tint, pattern) in enumerate(EDITOR_BACKGROUNDS, start=1):
        make_level_background(game_dir, 'background%d' % number, FRAME, tint, pattern, 'data/gfx/editor')


def make_level_list(game_dir, levels):
    entries = ''.join('  <Level position="%d" filename="%s" completed="0" />\n' % (l.number, level_file(l.number))
                      for l in levels)
    write_text(os.path.join(game_dir, 'data/level_list.xml'), '<LevelList>\n%s</LevelList>\n' % entries)
