"""The 36 levels in three chapters of twelve: the structures that shape play all level long
(basins, cups and hoppers that hold marbles up high, tubes one marble wide whose column drops as
the player clears it from below, pegs inside the pile, seesaw boards), one new idea at a time,
and each level's target on the curve (the share of look-ahead players that should win it)."""

from levels import INNER_LEFT, INNER_RIGHT, LEVELS_PER_CHAPTER, Level, peg, pile, slope, v_floor, v_pile

WALL = 0.25             # half thickness of cup walls, channel walls and plank boards
CHANNEL_INNER = 2.3     # one marble wide: the column cannot pass itself

# The chapters: name, background tints (one per level, from the chapter's palette), pattern
# and the music mood its levels ask for.
CHAPTERS = [
    ('Meadow', [(90, 170, 110), (110, 190, 120), (80, 150, 120), (120, 170, 90)], 'dots', 'calm'),
    ('Harbour', [(70, 130, 200), (90, 150, 210), (60, 110, 170), (100, 140, 190)], 'waves', 'lively'),
    ('Forge', [(200, 110, 70), (210, 140, 80), (180, 90, 80), (190, 120, 100)], 'grid', 'tense'),
]



def cup(cx, y_bottom, per_row=2, wall=1.6):
    """An open box of three boards whose floor's top face lies at y_bottom, per_row marbles wide."""
    inner = 2.1 * per_row + 0.1
    return [(cx, y_bottom + WALL, inner / 2 + 2 * WALL, WALL, 0.0),
            (cx - inner / 2 - WALL, y_bottom - wall / 2, WALL, wall / 2, 0.0),
            (cx + inner / 2 + WALL, y_bottom - wall / 2, WALL, wall / 2, 0.0)]


def cup_marbles(cx, y_bottom, count, per_row=2):
    """Rows of per_row and per_row - 1 marbles nested into each other, from the cup's floor up."""
    positions = []
    row = 0
    while len(positions) < count:
        n = per_row if row % 2 == 0 else per_row - 1
        n = max(1, n)
        y = y_bottom - 1.02 - row * 1.76
        x0 = cx - (n - 1) * 1.05
        for k in range(n):
            if len(positions) < count:
                positions.append((round(x0 + 2.1 * k, 3), round(y, 3)))
        row += 1
    return positions


def channel(cx, y_top, y_bottom):
    """A tube one marble wide: two upright boards from y_top down to y_bottom on a floor board
    whose top face lies at y_bottom. Its column stays up until the player clears marbles of it;
    the ones above then drop into their place."""
    half = (y_bottom - y_top) / 2
    offset = CHANNEL_INNER / 2 + WALL
    return [(cx - offset, y_top + half, WALL, half, 0.0), (cx + offset, y_top + half, WALL, half, 0.0),
            (cx, y_bottom + WALL, CHANNEL_INNER / 2 + 2 * WALL, WALL, 0.0)]


def column(cx, y_bottom, count):
    """Marbles stacked one on another, the lowest resting at y_bottom."""
    return [(round(cx, 3), round(y_bottom - 1.02 - 2.04 * k, 3)) for k in range(count)]


def seesaw(cx, y, half_length, tilt):
    """A board tilted by tilt (radians; positive lowers its right end) resting on a peg."""
    import math
    board = (cx, y, half_length, WALL, tilt)
    fulcrum = (cx, y + WALL + 0.6, 0.6, 0.6, math.pi / 4)
    return [board, fulcrum]


def basins(count, depth):
    """count V-floors side by side, ridges between them."""
    width = (INNER_RIGHT - INNER_LEFT) / count
    blocks = []
    for k in range(count):
        left = INNER_LEFT + k * width
        blocks += v_floor(depth, left + width / 2, left, left + width)
    return blocks


def basin_piles(count, depth, counts):
    width = (INNER_RIGHT - INNER_LEFT) / count
    return [v_pile(n, depth, INNER_LEFT + k * width + width / 2, INNER_LEFT + k * width, INNER_LEFT + (k + 1) * width)
            for k, n in enumerate(counts)]


def hopper(cx, y_top, y_spout, half_top, gap=1.5):
    """Two boards narrowing from half_top either side of cx down to a spout gap wide, narrower
    than a marble: the hopper holds its marbles up until the player clears them."""
    return [slope(cx - half_top, y_top, cx - gap / 2, y_spout), slope(cx + gap / 2, y_spout, cx + half_top, y_top)]


def chapter_of(number):
    return (number - 1) // LEVELS_PER_CHAPTER + 1


def make(number, blocks, piles, types, structures, target):
    """types: a list as long as the level's colours (its numbers only count as the colours'
    number); the marbles are shared out among them in threes, as evenly as they go."""
    chapter = chapter_of(number)
    _, tints, pattern, _ = CHAPTERS[chapter - 1]
    marbles = sum(len(p) if isinstance(p, list) else p[3] for p in piles)
    if marbles % 3:
        print('level', number, 'has', marbles, 'marbles')
        return None
    threes = marbles // 3
    counts = [3 * (threes // len(types) + (1 if k < threes % len(types) else 0)) for k in range(len(types))]
    level = Level(number, blocks, piles, counts, 'painted', tints[(number - 1) % len(tints)], pattern, (0.0, 1.0))
    level.structures = structures
    level.target = target
    return level


def targets(first, last):
    """Look-ahead shares falling evenly over a chapter."""
    return [round(first + (last - first) * k / (LEVELS_PER_CHAPTER - 1), 3) for k in range(LEVELS_PER_CHAPTER)]


T1, T2, T3 = targets(1.0, 0.55), targets(0.9, 0.4), targets(0.8, 0.25)
L, R = INNER_LEFT, INNER_RIGHT

DESIGNS = [
    # Chapter 1: one idea at a time.
    # 1: two basins, a cup above the ridge.
    make(1, basins(2, 6.0) + cup(0.0, 2.0), basin_piles(2, 6.0, [3, 3]) + [cup_marbles(0.0, 2.0, 3)],
         [3, 3, 3], ['basins', 'cup'], T1[0]),
    # 2: a V, two cups on the walls.
    make(2, v_floor(7.0) + cup(-13.0, 1.0) + cup(13.0, 1.0),
         [v_pile(6, 7.0), cup_marbles(-13.0, 1.0, 3), cup_marbles(13.0, 1.0, 3)], [3, 6, 3], ['cup'], T1[1]),
    # 3: a tube over a V: its column drops as the player clears it from below.
    make(3, v_floor(7.0) + channel(0.0, -4.0, 8.0) + cup(-13.0, 2.0), [v_pile(9, 7.0), column(0.0, 8.0, 3), cup_marbles(-13.0, 2.0, 3)], [6, 3, 3, 3],
         ['channel', 'cup'], T1[2]),
    # 4: a peg inside the pile of a V, a cup above.
    make(4, v_floor(8.0) + [peg(0.0, 15.0)] + cup(0.0, 1.0),
         [v_pile(12, 8.0), cup_marbles(0.0, 1.0, 3)], [6, 3, 3, 3], ['obstacles', 'cup'], T1[3]),
    # 5: a hopper too narrow at the spout to let its marbles through: they wait up high.
    make(5, v_floor(7.0) + hopper(0.0, 2.0, 8.5, 9.0) + cup(14.0, 2.0), [v_pile(9, 7.0), pile(-7.5, 7.5, 0.5, 9), cup_marbles(14.0, 2.0, 3)], [6, 6, 3, 3],
         ['hopper', 'cup'], T1[4]),
    # 6: a seesaw board in a V sends the fall to one side.
    make(6, v_floor(8.0) + seesaw(-2.0, 9.0, 5.0, 0.3) + cup(12.0, 2.0),
         [v_pile(9, 8.0), pile(-6.0, 2.0, 5.0, 6), cup_marbles(12.0, 2.0, 3)], [6, 3, 6, 3], ['seesaw', 'cup'], T1[5]),
    # 7: two basins and a tube over the ridge.
    make(7, basins(2, 6.0) + channel(0.0, 1.0, 8.0) + cup(-12.7, 2.0),
         basin_piles(2, 6.0, [9, 9]) + [column(0.0, 8.0, 3), cup_marbles(-12.7, 2.0, 3)],
         [6, 6, 3, 3], ['basins', 'channel', 'cup'], T1[6]),
    # 8: cups on both walls and a peg in the pile.
    make(8, v_floor(8.0) + cup(-14.0, 0.0) + cup(14.0, 0.0) + [peg(0.0, 15.0)],
         [v_pile(12, 8.0), cup_marbles(-14.0, 0.0, 3), cup_marbles(14.0, 0.0, 3)], [6, 6, 3, 3], ['cup', 'obstacles'],
         T1[7]),
    # 9: a hopper over one basin, a tube over the other.
    make(9, basins(2, 6.0) + hopper(-9.5, 2.0, 9.0, 8.0) + channel(9.5, -3.0, 8.0) + cup(3.5, -2.0),
         basin_piles(2, 6.0, [9, 9]) + [pile(-15.0, -4.0, 0.5, 6), column(9.5, 8.0, 3), cup_marbles(3.5, -2.0, 3)], [6, 6, 6, 6],
         ['basins', 'hopper', 'channel', 'cup'], T1[8]),
    # 10: a seesaw over two basins, a cup above.
    make(10, basins(2, 6.0) + seesaw(0.0, 8.0, 6.0, -0.25) + cup(0.0, -3.0),
         basin_piles(2, 6.0, [6, 6]) + [pile(-5.0, 5.0, 4.0, 6), cup_marbles(0.0, -3.0, 3)], [6, 6, 3, 6],
         ['basins', 'seesaw', 'cup'], T1[9]),
    # 11: two tubes and a peg in the pile.
    make(11, v_floor(8.0) + channel(-7.0, -3.0, 8.0) + channel(7.0, -3.0, 8.0) + [peg(0.0, 15.5)] + cup(0.0, 0.0),
         [v_pile(9, 8.0), column(-7.0, 8.0, 3), column(7.0, 8.0, 3), cup_marbles(0.0, 0.0, 3)], [6, 6, 6, 3], ['channel', 'obstacles', 'cup'],
         T1[10]),
    # 12: basins, a tube and a cup once more.
    make(12, basins(2, 6.0) + channel(-9.5, -3.0, 8.0) + cup(9.5, 2.0, 3),
         basin_piles(2, 6.0, [9, 9]) + [column(-9.5, 8.0, 3), cup_marbles(9.5, 2.0, 3, 3)], [6, 6, 6, 3, 3],
         ['basins', 'channel', 'cup'], T1[11]),

    # Chapter 2: more marbles and colours, the ideas in pairs.
    make(13, basins(2, 6.0) + cup(0.0, 1.0) + cup(12.7, 3.0),
         basin_piles(2, 6.0, [12, 6]) + [cup_marbles(0.0, 1.0, 3), cup_marbles(12.7, 3.0, 3)], [6, 6, 6, 3, 3],
         ['basins', 'cup'], T2[0]),
    make(14, v_floor(8.0) + channel(-8.0, -5.0, 8.0) + cup(8.0, 0.0, 3),
         [v_pile(12, 8.0), column(-8.0, 8.0, 3), cup_marbles(8.0, 0.0, 3, 3)], [6, 6, 6, 6], ['channel', 'cup'],
         T2[1]),
    make(15, v_floor(8.0) + hopper(0.0, 0.0, 8.0, 10.0, gap=2.5) + [peg(-5.0, 16.0), peg(5.0, 16.0)] + cup(-15.0, 0.0),
         [v_pile(12, 8.0), pile(-8.0, 8.0, -2.0, 12), cup_marbles(-15.0, 0.0, 3)], [6, 6, 6, 6], ['hopper', 'obstacles', 'cup'], T2[2]),
    make(16, basins(2, 6.0) + seesaw(-9.5, 8.0, 5.0, 0.3) + seesaw(9.5, 8.0, 5.0, -0.3) + cup(0.0, 1.0),
         basin_piles(2, 6.0, [6, 6]) + [pile(-13.0, -6.0, 4.0, 3), pile(6.0, 13.0, 4.0, 3), cup_marbles(0.0, 1.0, 3)],
         [6, 6, 6, 3, 3], ['basins', 'seesaw', 'cup'], T2[3]),
    make(17, basins(2, 6.0) + channel(-9.5, -4.0, 8.0) + channel(9.5, -4.0, 8.0) + cup(0.0, 0.0),
         basin_piles(2, 6.0, [9, 9]) + [column(-9.5, 8.0, 3), column(9.5, 8.0, 3), cup_marbles(0.0, 0.0, 3)],
         [6, 6, 6, 6, 3], ['basins', 'channel', 'cup'], T2[4]),
    make(18, v_floor(8.0) + hopper(-8.0, 0.0, 8.0, 8.0) + hopper(8.0, 0.0, 8.0, 8.0) + [peg(0.0, 15.0)] + cup(0.0, -4.0),
         [v_pile(12, 8.0), pile(-14.0, -2.0, -2.0, 6), pile(2.0, 14.0, -2.0, 6), cup_marbles(0.0, -4.0, 3)], [6, 6, 6, 3, 3],
         ['hopper', 'obstacles', 'cup'], T2[5]),
    make(19, basins(2, 6.0) + cup(-12.7, 1.0) + channel(0.0, -4.0, 8.0) + cup(12.7, 1.0),
         basin_piles(2, 6.0, [9, 9]) + [cup_marbles(-12.7, 1.0, 3), column(0.0, 8.0, 3), cup_marbles(12.7, 1.0, 3)],
         [6, 6, 6, 3, 3], ['basins', 'cup', 'channel'], T2[6]),
    make(20, v_floor(8.0) + seesaw(0.0, 9.0, 6.0, 0.3) + hopper(0.0, -5.0, 2.0, 8.0, gap=2.5) + [peg(-6.0, 16.0)] + cup(-14.0, 0.0),
         [v_pile(12, 8.0), pile(-7.0, 7.0, -7.0, 9), cup_marbles(-14.0, 0.0, 3)], [6, 6, 3, 3, 3], ['seesaw', 'hopper', 'obstacles', 'cup'], T2[7]),
    make(21, basins(2, 6.0) + cup(-9.5, 2.0, 3) + cup(9.5, 2.0, 3) + [peg(-9.5, 15.0), peg(9.5, 15.0)],
         basin_piles(2, 6.0, [9, 9]) + [cup_marbles(-9.5, 2.0, 3, 3), cup_marbles(9.5, 2.0, 3, 3)], [6, 6, 6, 3, 3],
         ['basins', 'cup', 'obstacles'], T2[8]),
    make(22, v_floor(8.0) + channel(-11.0, -4.0, 8.0) + channel(0.0, -4.0, 8.0) + channel(11.0, -4.0, 8.0) + cup(-15.5, 0.0),
         [v_pile(9, 8.0), column(-11.0, 8.0, 3), column(0.0, 8.0, 3), column(11.0, 8.0, 3), cup_marbles(-15.5, 0.0, 3)], [6, 6, 6, 6, 3],
         ['channel', 'cup'], T2[9]),
    make(23, basins(2, 6.0) + hopper(-9.5, 1.0, 8.5, 8.0) + seesaw(9.5, 8.0, 5.0, 0.3) + cup(9.5, 0.0),
         basin_piles(2, 6.0, [9, 9]) + [pile(-15.0, -4.0, -1.0, 6), pile(6.0, 13.0, 4.0, 3), cup_marbles(9.5, 0.0, 3)],
         [6, 6, 6, 3, 3], ['basins', 'hopper', 'seesaw', 'cup'], T2[10]),
    make(24, v_floor(8.0) + hopper(0.0, 2.0, 11.5, 9.0) + cup(-14.0, 0.0) + cup(14.0, 0.0) + [peg(0.0, 15.5)],
         [v_pile(12, 8.0), pile(-7.0, 7.0, -3.0, 9), cup_marbles(-14.0, 0.0, 3), cup_marbles(14.0, 0.0, 3)],
         [6, 6, 6, 6, 3], ['hopper', 'cup', 'obstacles'], T2[11]),

    # Chapter 3: six colours, three or four ideas at once.
    make(25, basins(2, 6.0) + channel(-12.7, -3.0, 8.0) + channel(12.7, -3.0, 8.0) + cup(0.0, 2.0),
         basin_piles(2, 6.0, [9, 9]) + [column(-12.7, 8.0, 3), column(12.7, 8.0, 3), cup_marbles(0.0, 2.0, 3)],
         [6, 6, 6, 3, 3, 3], ['basins', 'channel', 'cup'], T3[0]),
    make(26, v_floor(8.0) + hopper(0.0, 0.0, 8.0, 10.0, gap=2.5) + cup(-14.0, -2.0) + cup(14.0, -2.0) + [peg(-5.0, 16.0), peg(5.0, 16.0)],
         [v_pile(12, 8.0), pile(-8.0, 8.0, -2.0, 9), cup_marbles(-14.0, -2.0, 3), cup_marbles(14.0, -2.0, 3)],
         [6, 6, 6, 3, 3, 3], ['hopper', 'cup', 'obstacles'], T3[1]),
    make(27, basins(2, 6.0) + seesaw(-9.5, 8.0, 5.0, -0.3) + channel(9.5, -4.0, 8.0) + cup(0.0, 0.0, 3),
         basin_piles(2, 6.0, [6, 6]) + [pile(-13.0, -6.0, 4.0, 3), column(9.5, 8.0, 3), cup_marbles(0.0, 0.0, 3, 3)],
         [6, 6, 6, 3, 3, 3], ['basins', 'seesaw', 'channel', 'cup'], T3[2]),
    make(28, basins(2, 6.0) + hopper(0.0, 0.0, 9.0, 7.0) + cup(-12.7, 2.0) + cup(12.7, 2.0),
         basin_piles(2, 6.0, [9, 12]) + [pile(-6.0, 6.0, -2.0, 3), cup_marbles(-12.7, 2.0, 3), cup_marbles(12.7, 2.0, 3)],
         [6, 6, 6, 6, 3, 3], ['basins', 'hopper', 'cup'], T3[3]),
    make(29, v_floor(8.0) + channel(-7.0, -5.0, 8.0) + channel(7.0, -5.0, 8.0) + [peg(0.0, 15.0)]
         + cup(-15.0, 2.0) + cup(15.0, 2.0),
         [v_pile(12, 8.0), column(-7.0, 8.0, 3), column(7.0, 8.0, 3), cup_marbles(-15.0, 2.0, 3),
          cup_marbles(15.0, 2.0, 3)], [6, 6, 6, 6, 6, 3], ['channel', 'obstacles', 'cup'], T3[4]),
    make(30, basins(2, 6.0) + seesaw(-9.5, 8.0, 5.0, -0.3) + seesaw(9.5, 8.0, 5.0, 0.3) + cup(0.0, -3.0) + cup(14.0, -2.0),
         basin_piles(2, 6.0, [6, 6]) + [pile(-13.0, -6.0, 4.0, 3), pile(6.0, 13.0, 4.0, 3), cup_marbles(0.0, -3.0, 3),
                                        cup_marbles(14.0, -2.0, 3)],
         [6, 6, 6, 6, 6, 3], ['basins', 'seesaw', 'cup'], T3[5]),
    make(31, basins(2, 6.0) + channel(-12.7, -4.0, 8.0) + channel(0.0, -4.0, 8.0) + channel(12.7, -4.0, 8.0) + cup(6.35, 0.0),
         basin_piles(2, 6.0, [9, 9]) + [column(-12.7, 8.0, 3), column(0.0, 8.0, 3), column(12.7, 8.0, 3),
                                           cup_marbles(6.35, 0.0, 3)],
         [6, 6, 6, 6, 3, 3], ['basins', 'channel', 'cup'], T3[6]),
    make(32, v_floor(8.0) + hopper(-8.0, 0.0, 8.0, 8.0) + hopper(8.0, 0.0, 8.0, 8.0) + [peg(0.0, 15.0)] + cup(0.0, -3.0),
         [v_pile(12, 8.0), pile(-14.0, -2.0, -2.0, 6), pile(2.0, 14.0, -2.0, 6), cup_marbles(0.0, -3.0, 3)],
         [6, 6, 6, 6, 3, 3], ['hopper', 'obstacles', 'cup'], T3[7]),
    make(33, basins(2, 6.0) + cup(-9.5, 3.0, 3) + cup(9.5, 3.0, 3) + channel(-15.5, -6.0, 8.0) + [peg(-9.5, 15.0),
                                                                                                 peg(9.5, 15.0)],
         basin_piles(2, 6.0, [9, 9]) + [cup_marbles(-9.5, 3.0, 3, 3), cup_marbles(9.5, 3.0, 3, 3), column(-15.5, 8.0, 3)],
         [6, 6, 6, 6, 6, 3], ['basins', 'cup', 'channel', 'obstacles'], T3[8]),
    make(34, v_floor(8.0) + seesaw(0.0, 9.0, 6.0, -0.3) + hopper(-9.0, -2.0, 3.0, 7.0, gap=2.5) + hopper(9.0, -2.0, 3.0, 7.0, gap=2.5)
         + [peg(0.0, 15.5)] + cup(0.0, -4.0),
         [v_pile(12, 8.0), pile(-14.0, -4.0, -4.0, 6), pile(4.0, 14.0, -4.0, 6), pile(-4.0, 4.0, 5.0, 3),
          cup_marbles(0.0, -4.0, 3)],
         [6, 6, 6, 3, 3, 3], ['seesaw', 'hopper', 'obstacles', 'cup'], T3[9]),
    make(35, v_floor(8.0) + cup(-12.7, 0.0) + cup(12.7, 0.0) + channel(0.0, -5.0, 8.0),
         [v_pile(15, 8.0), cup_marbles(-12.7, 0.0, 3), cup_marbles(12.7, 0.0, 3), column(0.0, 8.0, 3)],
         [6, 6, 6, 6, 3, 3], ['cup', 'channel'], T3[10]),
    make(36, basins(2, 6.0) + hopper(-9.5, 0.0, 8.5, 8.0) + seesaw(9.5, 8.0, 5.0, -0.3) + channel(6.0, -6.0, 5.0)
         + cup(14.0, -4.0),
         basin_piles(2, 6.0, [6, 6]) + [pile(-15.0, -4.0, -2.0, 6), pile(9.0, 14.0, 4.0, 3), column(6.0, 5.0, 3),
                                        cup_marbles(14.0, -4.0, 3)],
         [6, 6, 6, 6, 6, 3], ['basins', 'hopper', 'seesaw', 'channel', 'cup'], T3[11]),
]

# The order of play: the designs of each chapter sorted by how often look-ahead players win
# them (as measured for report.md), so that each chapter's curve falls steadily. New ideas
# still come one at a time: pegs (4) before the channel (3), three basins (7) before the
# seesaw (6).
PLAY_ORDER = [1, 2, 3, 4, 5, 7, 6, 8, 10, 12, 9, 11,
              13, 14, 16, 17, 19, 18, 22, 21, 20, 15, 23, 24,
              32, 25, 27, 31, 28, 30, 29, 36, 33, 26, 35, 34]


def in_play_order(designs):
    """The designs renumbered by their place in PLAY_ORDER (each keeps its colours)."""
    by_design = {level.number: level for level in designs}
    ordered = []
    for position, design in enumerate(PLAY_ORDER, 1):
        level = by_design[design]
        level.design = design
        level.number = position
        ordered.append(level)
    return ordered


LEVELS = in_play_order(DESIGNS)
