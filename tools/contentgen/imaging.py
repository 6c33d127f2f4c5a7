"""Small raster toolkit for the content generator: an RGBA canvas, a PNG writer built on zlib,
a 5x7 bitmap font, and conversion to JPEG and GIF through ImageMagick's convert."""

import math
import struct
import subprocess
import zlib

MAGENTA = (255, 0, 255)


def clamp8(value):
    return 0 if value < 0 else 255 if value > 255 else int(value + 0.5)


class Canvas:
    """RGBA pixels, row by row; colours are (r, g, b) tuples of 0..255 plus an alpha."""

    def __init__(self, width, height, colour=(0, 0, 0), alpha=255):
        self.width = width
        self.height = height
        self.pixels = bytearray(bytes((colour[0], colour[1], colour[2], alpha)) * (width * height))

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.pixels[i:i + 4])

    def put(self, x, y, colour, alpha=255):
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 4
            self.pixels[i:i + 4] = bytes((clamp8(colour[0]), clamp8(colour[1]), clamp8(colour[2]), clamp8(alpha)))

    def blend(self, x, y, colour, coverage):
        """Paints colour over the pixel with the given opacity (0..1), keeping its alpha."""
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        i = (y * self.width + x) * 4
        p = self.pixels
        k = min(coverage, 1.0)
        for c in range(3):
            p[i + c] = clamp8(p[i + c] + (colour[c] - p[i + c]) * k)

    def vertical_gradient(self, top, bottom, x0=0, y0=0, w=None, h=None):
        w = self.width if w is None else w
        h = self.height if h is None else h
        for y in range(y0, y0 + h):
            t = (y - y0) / max(1, h - 1)
            colour = tuple(top[c] + (bottom[c] - top[c]) * t for c in range(3))
            for x in range(x0, x0 + w):
                self.put(x, y, colour)

    def fill_rect(self, x0, y0, w, h, colour, alpha=255):
        for y in range(max(0, y0), min(self.height, y0 + h)):
            for x in range(max(0, x0), min(self.width, x0 + w)):
                self.put(x, y, colour, alpha)

    def fill_shape(self, inside, x0, y0, x1, y1, colour, opacity=1.0, samples=3):
        """Anti-aliased fill of every pixel in the box whose sample points pass inside(x, y)."""
        step = 1.0 / samples
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)) + 1)):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    self.blend(x, y, colour, opacity * hits / (samples * samples))

    def fill_round_rect(self, x0, y0, w, h, radius, colour, opacity=1.0, samples=3):
        def inside(px, py):
            cx = min(max(px, x0 + radius), x0 + w - radius)
            cy = min(max(py, y0 + radius), y0 + h - radius)
            return (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius
        self.fill_shape(inside, x0, y0, x0 + w, y0 + h, colour, opacity, samples)

    def text(self, x, y, message, colour, scale=1, shadow=None):
        """Draws message with the 5x7 font, letters scale pixels per font dot."""
        if shadow is not None:
            self.text(x + max(1, scale // 2), y + max(1, scale // 2), message, shadow, scale)
        for n, ch in enumerate(message.upper()):
            glyph = FONT.get(ch, FONT['?'])
            for row, bits in enumerate(glyph):
                for col in range(5):
                    if bits & (1 << (4 - col)):
                        self.fill_rect(x + (n * 6 + col) * scale, y + row * scale, scale, scale, colour)

    def text_centred(self, cy, message, colour, scale=1, shadow=None, cx=None):
        cx = self.width // 2 if cx is None else cx
        self.text(cx - text_width(message, scale) // 2, cy, message, colour, scale, shadow)

    def paste(self, other, x0, y0):
        """Composes other over this canvas by other's alpha."""
        for y in range(other.height):
            for x in range(other.width):
                r, g, b, a = other.get(x, y)
                if a:
                    self.blend(x0 + x, y0 + y, (r, g, b), a / 255.0)


def text_width(message, scale=1):
    return (len(message) * 6 - 1) * scale


def _png_chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)


def _filter_rows(raw, stride, height, bpp):
    """Per row the cheaper of the Sub and Up filters (sum of absolute residuals)."""
    out = bytearray()
    previous = bytes(stride)
    for y in range(height):
        row = raw[y * stride:(y + 1) * stride]
        sub = bytes((row[i] - (row[i - bpp] if i >= bpp else 0)) & 0xff for i in range(stride))
        up = bytes((row[i] - previous[i]) & 0xff for i in range(stride))
        cost = lambda data: sum(v if v < 128 else 256 - v for v in data)
        if cost(up) <= cost(sub):
            out += b'\x02' + up
        else:
            out += b'\x01' + sub
        previous = row
    return bytes(out)


def write_png(canvas, path, alpha=True):
    """Writes an 8-bit RGBA (alpha=True) or RGB PNG."""
    bpp = 4 if alpha else 3
    if alpha:
        raw = bytes(canvas.pixels)
    else:
        raw = bytearray()
        p = canvas.pixels
        for i in range(0, len(p), 4):
            raw += p[i:i + 3]
        raw = bytes(raw)
    stride = canvas.width * bpp
    data = _filter_rows(raw, stride, canvas.height, bpp)
    header = struct.pack('>IIBBBBB', canvas.width, canvas.height, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(_png_chunk(b'IHDR', header))
        f.write(_png_chunk(b'IDAT', zlib.compress(data, 9)))
        f.write(_png_chunk(b'IEND', b''))


def convert_png(png_path, out_path, *options):
    """Converts a PNG we wrote into another format with ImageMagick (JPEG, GIF)."""
    subprocess.run(['convert', png_path, '-strip', *options, out_path], check=True)


# 5x7 dot-matrix glyphs, one int per row, bit 4 = leftmost column.
FONT = {
    ' ': [0, 0, 0, 0, 0, 0, 0],
    'A': [14, 17, 17, 31, 17, 17, 17], 'B': [30, 17, 17, 30, 17, 17, 30],
    'C': [14, 17, 16, 16, 16, 17, 14], 'D': [30, 17, 17, 17, 17, 17, 30],
    'E': [31, 16, 16, 30, 16, 16, 31], 'F': [31, 16, 16, 30, 16, 16, 16],
    'G': [14, 17, 16, 23, 17, 17, 15], 'H': [17, 17, 17, 31, 17, 17, 17],
    'I': [14, 4, 4, 4, 4, 4, 14], 'J': [7, 2, 2, 2, 2, 18, 12],
    'K': [17, 18, 20, 24, 20, 18, 17], 'L': [16, 16, 16, 16, 16, 16, 31],
    'M': [17, 27, 21, 21, 17, 17, 17], 'N': [17, 17, 25, 21, 19, 17, 17],
    'O': [14, 17, 17, 17, 17, 17, 14], 'P': [30, 17, 17, 30, 16, 16, 16],
    'Q': [14, 17, 17, 17, 21, 18, 13], 'R': [30, 17, 17, 30, 20, 18, 17],
    'S': [15, 16, 16, 14, 1, 1, 30], 'T': [31, 4, 4, 4, 4, 4, 4],
    'U': [17, 17, 17, 17, 17, 17, 14], 'V': [17, 17, 17, 17, 17, 10, 4],
    'W': [17, 17, 17, 21, 21, 21, 10], 'X': [17, 17, 10, 4, 10, 17, 17],
    'Y': [17, 17, 10, 4, 4, 4, 4], 'Z': [31, 1, 2, 4, 8, 16, 31],
    '0': [14, 17, 19, 21, 25, 17, 14], '1': [4, 12, 4, 4, 4, 4, 14],
    '2': [14, 17, 1, 2, 4, 8, 31], '3': [31, 2, 4, 2, 1, 17, 14],
    '4': [2, 6, 10, 18, 31, 2, 2], '5': [31, 16, 30, 1, 1, 17, 14],
    '6': [6, 8, 16, 30, 17, 17, 14], '7': [31, 1, 2, 4, 8, 8, 8],
    '8': [14, 17, 17, 14, 17, 17, 14], '9': [14, 17, 17, 15, 1, 2, 12],
    '.': [0, 0, 0, 0, 0, 12, 12], ',': [0, 0, 0, 0, 12, 4, 8],
    ':': [0, 12, 12, 0, 12, 12, 0], ';': [0, 12, 12, 0, 12, 4, 8],
    '!': [4, 4, 4, 4, 4, 0, 4], '?': [14, 17, 1, 2, 4, 0, 4],
    '-': [0, 0, 0, 31, 0, 0, 0], "'": [4, 4, 8, 0, 0, 0, 0],
    '(': [2, 4, 8, 8, 8, 4, 2], ')': [8, 4, 2, 2, 2, 4, 8],
    '/': [1, 1, 2, 4, 8, 16, 16], '*': [0, 4, 21, 14, 21, 4, 0],
}
