"""Draws the game's pictures: marble sprite sheets with their sprite files, the game's lettering
as a font for the texts drawn at run time, the title and help screens, the level-complete and
level-lost pictures with their sprite files, the window chrome, the console background and the
level backgrounds with their static blocks drawn in."""

import math
import os

from imaging import Canvas, FONT, MAGENTA, convert_png, text_width, write_png

SCREEN_W, SCREEN_H = 640, 480
# One world unit is 16 pixels; world (0, 0) lies at pixel (320, 160).
PIXELS_PER_UNIT = 16.0
ORIGIN_X, ORIGIN_Y = 320.0, 160.0

MARBLE_PIXELS = 32          # a marble of radius 1 world unit
HIGHLIGHT_FRAMES = 4
NORMAL_FRAME_MS = 1000
HIGHLIGHT_FRAME_MS = 120


def _disc(u, v):
    return u * u + v * v < 0.55


def _square(u, v):
    return max(abs(u), abs(v)) < 0.62


def _triangle(u, v):
    return -0.8 < v < 0.55 and abs(u) < (v + 0.8) * 0.75 / 1.35


def _plus(u, v):
    return (abs(u) < 0.25 and abs(v) < 0.8) or (abs(v) < 0.25 and abs(u) < 0.8)


def _cross(u, v):
    s = math.sqrt(0.5)
    return _plus((u + v) * s, (v - u) * s)


def _diamond(u, v):
    return abs(u) + abs(v) < 0.85


# Marble types: name, body colour, symbol. The symbol tells the types apart without colour.
MARBLE_TYPES = [
    ('red', (215, 35, 35), _disc),
    ('blue', (40, 85, 225), _square),
    ('green', (35, 165, 55), _triangle),
    ('yellow', (240, 195, 25), _plus),
    ('purple', (145, 55, 195), _cross),
    ('cyan', (25, 190, 205), _diamond),
]

LIGHT = (-0.45, -0.6, 0.66)


def _shade(base, nx, ny, nz, brightness):
    length = math.sqrt(sum(c * c for c in LIGHT))
    lx, ly, lz = (c / length for c in LIGHT)
    diffuse = max(0.0, nx * lx + ny * ly + nz * lz)
    # Reflection of the light about the normal, seen from the front (0, 0, 1).
    rz = 2 * diffuse * nz - lz
    glint = max(0.0, rz) ** 24
    rim = (1 - nz) ** 2 * 0.35
    colour = []
    for c in range(3):
        value = base[c] * (0.28 + 0.85 * diffuse) * brightness
        value = value * (1 - rim) + 255 * glint * 0.9
        colour.append(min(255.0, value))
    return colour


def draw_marble(canvas, x0, y0, size, base, symbol, brightness=1.0, ring=0.0, selected=False, glow=0.0,
                dash_phase=None):
    """A shaded glossy sphere with its symbol in the size-by-size cell at (x0, y0); selected
    adds a steady white ring with a dark inner line, dash_phase a rim of white and black dashes
    turned by that part of a dash pair: each stands out in colour and in greyscale on any
    marble, the white on dark ones, the black on light ones."""
    radius = size / 2.0 - 0.5
    centre = size / 2.0
    symbol_scale = radius * 0.46
    # Light bodies get a dark symbol with a light edge, dark bodies the other way round.
    light_body = 0.3 * base[0] + 0.59 * base[1] + 0.11 * base[2] > 160
    ink = tuple(c * 0.3 for c in base) if light_body else (255, 255, 255)
    edge = (255, 255, 245) if light_body else tuple(c * 0.35 for c in base)
    samples = 4
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    dx = px + (sx + 0.5) / samples - centre
                    dy = py + (sy + 0.5) / samples - centre
                    d2 = dx * dx + dy * dy
                    if d2 > radius * radius:
                        continue
                    hits += 1
                    nx, ny = dx / radius, dy / radius
                    nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
                    colour = _shade(base, nx, ny, nz, brightness)
                    u, v = dx / symbol_scale, dy / symbol_scale
                    if symbol(u, v):
                        colour = [i * 0.85 + c * 0.15 for i, c in zip(ink, colour)]
                    elif symbol(u / 1.28, v / 1.28):
                        colour = list(edge)
                    if ring > 0 and math.sqrt(d2) > radius * 0.8:
                        colour = [c + (g - c) * ring for c, g in zip(colour, (255, 240, 140))]
                    if glow > 0:
                        # Lightens towards white, most at the edge: a soft glow.
                        amount = glow * (0.45 + 0.55 * math.sqrt(d2) / radius)
                        colour = [c + (255 - c) * amount for c in colour]
                    if dash_phase is not None and math.sqrt(d2) > radius * DASH_RIM:
                        turn = math.atan2(dy, dx) / (2 * math.pi) * DASH_PAIRS + dash_phase
                        colour = [255.0] * 3 if (turn - math.floor(turn)) < 0.5 else [12.0] * 3
                    if selected and math.sqrt(d2) > radius * 0.8:
                        colour = [255.0, 255.0, 255.0]
                    elif selected and math.sqrt(d2) > radius * 0.7:
                        colour = [20.0, 20.0, 20.0]
                    for c in range(3):
                        acc[c] += colour[c]
            if hits:
                canvas.put(x0 + px, y0 + py, tuple(a / hits for a in acc), 255 * hits / (samples * samples))
            else:
                canvas.put(x0 + px, y0 + py, MAGENTA, 0)


# The highlight (hover and hints) is a turning rim of white and black dashes over a soft glow:
# each frame turns the dashes by a quarter of a pair, so the four frames loop smoothly. The
# selection is a steady white ring: the two never look alike.
HIGHLIGHT_GLOW = 0.2
DASH_PAIRS = 5
DASH_RIM = 0.74
SELECTED_FRAME = 1 + HIGHLIGHT_FRAMES


def marble_sheet(base, symbol):
    """Frame 0 is the normal look; frames 1.. turn the dashed rim of the highlight; the last one
    is the steady ring of a selected marble."""
    size = MARBLE_PIXELS
    sheet = Canvas(size * (2 + HIGHLIGHT_FRAMES), size, MAGENTA, 0)
    draw_marble(sheet, 0, 0, size, base, symbol)
    for n in range(HIGHLIGHT_FRAMES):
        draw_marble(sheet, size * (n + 1), 0, size, base, symbol, glow=HIGHLIGHT_GLOW,
                    dash_phase=n / HIGHLIGHT_FRAMES)
    draw_marble(sheet, size * SELECTED_FRAME, 0, size, base, symbol, 1.1, 0.0, selected=True)
    return sheet


def _frame(x, length):
    return ('      <Frame type="frame_rect">\n'
            '        <Rect x="%d" y="0" w="%d" h="%d" />\n'
            '        <FrameLength>%d</FrameLength>\n'
            '      </Frame>\n' % (x, MARBLE_PIXELS, MARBLE_PIXELS, length))


def marble_sprite_xml(sheet_path):
    size = MARBLE_PIXELS
    frames = [_frame(size * (n + 1), HIGHLIGHT_FRAME_MS) for n in range(HIGHLIGHT_FRAMES)]
    return ('<Sprite type="sprite_animated">\n'
            '  <ImageFilename>%s</ImageFilename>\n'
            '  <ImageRect x="0" y="0" w="%d" h="%d" />\n'
            '  <Z>100</Z>\n'
            '  <Alpha>255</Alpha>\n'
            '  <CurrentAnimation>normal</CurrentAnimation>\n'
            '  <CurrentFrame>0</CurrentFrame>\n'
            '  <MiniumUpdateTime>250</MiniumUpdateTime>\n'
            '  <Play>1</Play>\n'
            '  <TimeMultiply>1</TimeMultiply>\n'
            '  <Animation name="normal" loop="1">\n%s  </Animation>\n'
            '  <Animation name="highlight" loop="1">\n%s  </Animation>\n'
            '  <Animation name="selected" loop="1">\n%s  </Animation>\n'
            '</Sprite>\n' % (sheet_path, size, size, _frame(0, NORMAL_FRAME_MS), ''.join(frames),
                             _frame(size * SELECTED_FRAME, NORMAL_FRAME_MS)))


def static_sprite_xml(image_path, x, y, w, h, z):
    return ('<Sprite type="sprite_base">\n'
            '  <ImageFilename>%s</ImageFilename>\n'
            '  <ImageRect x="%d" y="%d" w="%d" h="%d" />\n'
            '  <Z>%d</Z>\n'
            '  <Alpha>255</Alpha>\n'
            '</Sprite>\n' % (image_path, x, y, w, h, z))


def marble_sprite_file(marble_type):
    return 'data/gfx/marbles/marble%d.xml' % marble_type


def write_text(path, text):
    with open(path, 'w', newline='\n') as f:
        f.write(text)


def make_marbles(game_dir):
    folder = os.path.join(game_dir, 'data/gfx/marbles')
    os.makedirs(folder, exist_ok=True)
    for n, (_, base, symbol) in enumerate(MARBLE_TYPES):
        sheet_name = 'data/gfx/marbles/marble%d.png' % n
        write_png(marble_sheet(base, symbol), os.path.join(game_dir, sheet_name))
        write_text(os.path.join(game_dir, marble_sprite_file(n)), marble_sprite_xml(sheet_name))


def _starry_backdrop(canvas, seed):
    canvas.vertical_gradient((12, 18, 52), (40, 22, 70))
    state = seed
    for _ in range(90):
        state = (state * 1103515245 + 12345) & 0x7fffffff
        x = state % canvas.width
        state = (state * 1103515245 + 12345) & 0x7fffffff
        y = state % canvas.height
        canvas.blend(x, y, (255, 255, 255), 0.25 + (state % 50) / 100.0)


def _marble_row(canvas, cy, size, types=None):
    types = list(range(len(MARBLE_TYPES))) if types is None else types
    gap = size // 3
    total = len(types) * size + (len(types) - 1) * gap
    x = (canvas.width - total) // 2
    for t in types:
        _, base, symbol = MARBLE_TYPES[t]
        cell = Canvas(size, size, MAGENTA, 0)
        draw_marble(cell, 0, 0, size, base, symbol)
        canvas.paste(cell, x, cy)
        x += size + gap


def title_screen():
    c = Canvas(SCREEN_W, SCREEN_H)
    _starry_backdrop(c, 7)
    c.text_centred(110, 'MARBLES', (255, 220, 90), scale=10, shadow=(60, 20, 10))
    _marble_row(c, 220, 48)
    c.text_centred(300, 'A PHYSICS PUZZLE', (200, 210, 255), scale=3)
    c.text_centred(410, 'CLICK TO START', (255, 255, 255), scale=3, shadow=(0, 0, 0))
    return c


HELP_LINES = [
    'CLICK THREE TOUCHING MARBLES OF ONE COLOUR:',
    'THEY VANISH AND THE PILE FALLS.',
    'CLEAR ALL THE MARBLES TO WIN.',
    'NO CHAIN OF THREE LEFT: THE LEVEL IS LOST.',
]


def help_screen():
    """The rules in the upper part; the lower third stays free for a list of keys."""
    c = Canvas(SCREEN_W, SCREEN_H)
    _starry_backdrop(c, 11)
    c.text_centred(24, 'HOW TO PLAY', (255, 220, 90), scale=5, shadow=(60, 20, 10))
    _marble_row(c, 80, 36)
    y = 140
    for line in HELP_LINES:
        c.text_centred(y, line, (230, 235, 255), scale=2, shadow=(0, 0, 0))
        y += 30
    c.text_centred(276, 'CLICK TO START', (255, 255, 255), scale=3, shadow=(0, 0, 0))
    return c


BANNER_W, BANNER_H = 320, 120


def banner(title, hint, colour):
    # Transparent corners: pictures are loaded with an alpha channel, which SDL's blits honour
    # in place of the colour key. Hard outer edge, so no magenta fringe blends in.
    c = Canvas(BANNER_W, BANNER_H, MAGENTA, 0)
    c.fill_round_rect(0, 0, BANNER_W, BANNER_H, 18, (20, 20, 30), samples=1)
    for y in range(BANNER_H):
        for x in range(BANNER_W):
            if c.get(x, y)[:3] != tuple(MAGENTA):
                c.put(x, y, c.get(x, y)[:3])
    c.fill_round_rect(4, 4, BANNER_W - 8, BANNER_H - 8, 15, colour)
    c.fill_round_rect(10, 10, BANNER_W - 20, BANNER_H - 20, 10, tuple(v * 0.55 for v in colour))
    scale = 4 if text_width(title, 4) < BANNER_W - 30 else 3
    c.text_centred(30, title, (255, 255, 255), scale=scale, shadow=(0, 0, 0))
    c.text_centred(78, hint, (255, 240, 180), scale=2)
    return c


def banner_sprite(image_path):
    x = (SCREEN_W - BANNER_W) // 2
    y = (SCREEN_H - BANNER_H) // 2
    return static_sprite_xml(image_path, x, y, BANNER_W, BANNER_H, 10)


def make_screens(game_dir, scratch):
    gfx = os.path.join(game_dir, 'data/gfx')
    os.makedirs(gfx, exist_ok=True)
    for name, picture in (('title_screen', title_screen()), ('help_screen', help_screen())):
        png = os.path.join(scratch, name + '.png')
        write_png(picture, png, alpha=False)
        convert_png(png, os.path.join(gfx, name + '.jpg'), '-quality', '82', '-sampling-factor', '4:2:0')
    for name, title, hint, colour in (
            ('level_complete', 'LEVEL COMPLETE', 'CLICK FOR THE NEXT LEVEL', (40, 150, 70)),
            ('level_lost', 'LEVEL LOST', 'CLICK TO TRY AGAIN', (170, 45, 45))):
        image = 'data/gfx/%s.png' % name
        write_png(banner(title, hint, colour), os.path.join(game_dir, image))
        write_text(os.path.join(game_dir, 'data/%s.xml' % name), banner_sprite(image))


TITLEBAR_W = 396
CHROME_BUTTON = 20
CONSOLE_W, CONSOLE_H = 400, 200


def titlebar():
    c = Canvas(TITLEBAR_W, 20)
    c.vertical_gradient((90, 120, 200), (30, 50, 120))
    c.fill_rect(0, 0, TITLEBAR_W, 1, (150, 175, 235))
    c.fill_rect(0, 19, TITLEBAR_W, 1, (15, 25, 70))
    return c


def chrome_button(icon):
    c = Canvas(CHROME_BUTTON, CHROME_BUTTON)
    c.vertical_gradient((200, 205, 220), (130, 135, 155))
    c.fill_rect(0, 0, 20, 1, (245, 245, 250))
    c.fill_rect(0, 0, 1, 20, (245, 245, 250))
    c.fill_rect(0, 19, 20, 1, (60, 60, 75))
    c.fill_rect(19, 0, 1, 20, (60, 60, 75))
    ink = (25, 25, 40)
    if icon == 'maximize':
        c.fill_rect(5, 5, 10, 10, ink)
        c.fill_rect(6, 8, 8, 6, (235, 235, 240))
    else:
        for i in range(10):
            for w in range(2):
                c.put(5 + i + w, 5 + i, ink)
                c.put(14 - i + w, 5 + i, ink)
    return c


def console_background():
    c = Canvas(CONSOLE_W, CONSOLE_H)
    c.vertical_gradient((18, 22, 34), (8, 10, 16))
    for y in range(0, CONSOLE_H, 4):
        for x in range(CONSOLE_W):
            c.blend(x, y, (40, 60, 90), 0.18)
    return c


def make_gui(game_dir, scratch):
    gui = os.path.join(game_dir, 'data/gui')
    os.makedirs(gui, exist_ok=True)
    for name, picture in (('titlebar', titlebar()), ('maximize', chrome_button('maximize')),
                          ('close', chrome_button('close'))):
        png = os.path.join(scratch, name + '.png')
        write_png(picture, png, alpha=False)
        convert_png(png, os.path.join(gui, name + '.gif'))
    write_png(console_background(), os.path.join(gui, 'background.png'), alpha=False)


def to_screen(x, y):
    return ORIGIN_X + x * PIXELS_PER_UNIT, ORIGIN_Y + y * PIXELS_PER_UNIT


def draw_block(canvas, box, colour):
    """A static box (centre x, y, half width, half height, angle in world units) with a bevel."""
    cx, cy, hw, hh, angle = box
    sx, sy = to_screen(cx, cy)
    pw, ph = hw * PIXELS_PER_UNIT, hh * PIXELS_PER_UNIT
    cos_a, sin_a = math.cos(angle), math.sin(angle)
    reach = math.hypot(pw, ph) + 1

    def local(px, py):
        dx, dy = px - sx, py - sy
        return dx * cos_a + dy * sin_a, -dx * sin_a + dy * cos_a

    def inside(px, py):
        u, v = local(px, py)
        return abs(u) <= pw and abs(v) <= ph

    def face(px, py):
        u, v = local(px, py)
        return abs(u) <= pw - 3 and abs(v) <= ph - 3

    def top_edge(px, py):
        u, v = local(px, py)
        return abs(u) <= pw and -ph <= v <= -ph + 3

    box_range = (sx - reach, sy - reach, sx + reach, sy + reach)
    canvas.fill_shape(inside, *box_range, tuple(c * 0.45 for c in colour), samples=2)
    canvas.fill_shape(face, *box_range, colour, samples=2)
    canvas.fill_shape(top_edge, *box_range, tuple(min(255, c * 1.45) for c in colour), samples=2)


def _pattern(canvas, pattern):
    """A faint pattern over the backdrop: 'grid', 'dots', 'stripes' (diagonal) or 'waves'."""
    w, h = canvas.width, canvas.height
    if pattern == 'grid':
        for x in range(0, w, 32):
            for y in range(h):
                canvas.blend(x, y, (255, 255, 255), 0.05)
        for y in range(0, h, 32):
            for x in range(w):
                canvas.blend(x, y, (255, 255, 255), 0.05)
    elif pattern == 'dots':
        for y in range(8, h, 24):
            for x in range(8 + (12 if (y // 24) % 2 else 0), w, 24):
                for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
                    canvas.blend(x + dx, y + dy, (255, 255, 255), 0.12)
    elif pattern == 'stripes':
        for y in range(h):
            for x in range(w):
                if (x + y) % 40 < 10:
                    canvas.blend(x, y, (255, 255, 255), 0.04)
    elif pattern == 'waves':
        for x in range(w):
            for k in range(0, h + 40, 40):
                y = int(k + 8 * math.sin(x / 30.0 + k))
                if 0 <= y < h:
                    canvas.blend(x, y, (255, 255, 255), 0.10)


def level_background(blocks, tint, pattern='grid'):
    c = Canvas(SCREEN_W, SCREEN_H)
    top = tuple(v * 0.35 for v in tint)
    bottom = tuple(v * 0.12 for v in tint)
    c.vertical_gradient(top, bottom)
    _pattern(c, pattern)
    stone = tuple(min(255, 0.45 * v + 0.55 * s) for v, s in zip(tint, (150, 120, 85)))
    for box in blocks:
        draw_block(c, box, stone)
    return c


def make_level_background(game_dir, name, blocks, tint, pattern='grid', folder='data/gfx/levels'):
    """Writes the background picture and its sprite file (named name in folder); returns the
    sprite file name."""
    os.makedirs(os.path.join(game_dir, folder), exist_ok=True)
    image = '%s/%s.png' % (folder, name)
    sprite = '%s/%s.xml' % (folder, name)
    write_png(level_background(blocks, tint, pattern), os.path.join(game_dir, image), alpha=False)
    # Behind every marble (larger Z is farther away).
    write_text(os.path.join(game_dir, sprite), static_sprite_xml(image, 0, 0, SCREEN_W, SCREEN_H, 1000))
    return sprite


# The game's lettering for the texts drawn at run time (status bar, messages, results): the
# 5x7 dot font of the pictures at two pixels a dot, as an OGF font (one text line and a glyph
# sheet, transparent around the glyphs). Small letters share the capitals' glyphs.
HUD_FONT_SCALE = 2
HUD_FONT_COLOUR = (255, 226, 130)
HUD_FONT_COLUMNS = 16
HUD_SPACE_WIDTH = 8
HUD_FONT_FILE = 'data/gfx/hud_font.ogf'
HUD_FONT_IMAGE = 'data/gfx/hud_font.png'


def hud_font_chars():
    """Every glyph of the dot font but ";" (the OGF field separator), then the small letters."""
    chars = [ch for ch in FONT if ch != ';']
    return ''.join(chars) + ''.join(ch.lower() for ch in chars if ch.isalpha())


def hud_font():
    """The glyph sheet and the OGF line naming it."""
    chars = hud_font_chars()
    cell_w, cell_h = 6 * HUD_FONT_SCALE, 7 * HUD_FONT_SCALE
    rows = (len(chars) + HUD_FONT_COLUMNS - 1) // HUD_FONT_COLUMNS
    sheet = Canvas(cell_w * HUD_FONT_COLUMNS, cell_h * rows, MAGENTA, 0)
    for n, ch in enumerate(chars):
        x0, y0 = (n % HUD_FONT_COLUMNS) * cell_w, (n // HUD_FONT_COLUMNS) * cell_h
        sheet.text(x0, y0, ch, HUD_FONT_COLOUR, scale=HUD_FONT_SCALE)
    widths = ''.join('%02d' % (HUD_SPACE_WIDTH if ch == ' ' else cell_w) for ch in chars)
    line = 'OGF;%d;%d;%d;%d;%d;888;%s;%s;%s\n' % (HUD_FONT_COLUMNS, rows, cell_w, cell_h, len(chars), chars, widths,
                                                 HUD_FONT_IMAGE)
    return sheet, line


def make_hud_font(game_dir):
    sheet, line = hud_font()
    write_png(sheet, os.path.join(game_dir, HUD_FONT_IMAGE))
    write_text(os.path.join(game_dir, HUD_FONT_FILE), line)
