#!/usr/bin/env python3
# Writes src/tarn/gfx/font/systemfontdata.h: the system font's 1789 by 15 glyph sheet as a
# run-length text, drawn from the public-domain X11 "fixed" 8x13 font of Debian's xfonts-base.
import gzip
import struct
import sys

SOURCE = "/usr/share/fonts/X11/misc/8x13-ISO8859-1.pcf.gz"
WIDTH, HEIGHT, CELL, FIRST, LAST, LEFT = 1789, 15, 8, 33, 254, 6
METRICS, BITMAPS, ENCODINGS = 1 << 2, 1 << 3, 1 << 5


def tables(data):
    count = struct.unpack_from("<i", data, 4)[0]
    found = {}
    for i in range(count):
        kind, fmt, size, offset = struct.unpack_from("<iiii", data, 8 + 16 * i)
        found[kind] = (fmt, offset)
    return found


def table_reader(data, offset):
    fmt = struct.unpack_from("<i", data, offset)[0]
    order = ">" if fmt & 4 else "<"
    return fmt, order, offset + 4


def read_font(data):
    toc = tables(data)
    fmt, order, at = table_reader(data, toc[METRICS][1])
    metrics = []
    if fmt & 0x100:
        count = struct.unpack_from(order + "h", data, at)[0]
        for i in range(count):
            lsb, rsb, width, ascent, descent = (b - 0x80 for b in data[at + 2 + 5 * i:at + 7 + 5 * i])
            metrics.append((lsb, rsb, ascent, descent))
    else:
        count = struct.unpack_from(order + "i", data, at)[0]
        for i in range(count):
            lsb, rsb, width, ascent, descent, attr = struct.unpack_from(order + "hhhhhH", data, at + 4 + 12 * i)
            metrics.append((lsb, rsb, ascent, descent))
    fmt, order, at = table_reader(data, toc[BITMAPS][1])
    count = struct.unpack_from(order + "i", data, at)[0]
    offsets = struct.unpack_from(order + "%di" % count, data, at + 4)
    sizes = struct.unpack_from(order + "4i", data, at + 4 + 4 * count)
    bits = data[at + 4 + 4 * count + 16:at + 4 + 4 * count + 16 + sizes[fmt & 3]]
    pad = 1 << (fmt & 3)
    msb_first = bool(fmt & 8)
    fmt, order, at = table_reader(data, toc[ENCODINGS][1])
    min2, max2, min1, max1, default = struct.unpack_from(order + "5h", data, at)
    indices = struct.unpack_from(order + "%dH" % ((max2 - min2 + 1) * (max1 - min1 + 1)), data, at + 10)
    glyphs = {}
    for code in range(FIRST, LAST + 1):
        if code < min2 or code > max2 or indices[code - min2] == 0xFFFF:
            continue
        index = indices[code - min2]
        lsb, rsb, ascent, descent = metrics[index]
        row_bytes = ((rsb - lsb + 7) // 8 + pad - 1) // pad * pad
        rows = []
        for r in range(ascent + descent):
            row = bits[offsets[index] + r * row_bytes:offsets[index] + (r + 1) * row_bytes]
            pixels = []
            for c in range(rsb - lsb):
                byte = row[c // 8]
                bit = (byte >> (7 - c % 8)) & 1 if msb_first else (byte >> (c % 8)) & 1
                pixels.append(bit)
            rows.append(pixels)
        glyphs[code] = (lsb, ascent, rows)
    return glyphs


def sheet(glyphs):
    pixels = [[0] * WIDTH for _ in range(HEIGHT)]
    baseline = 12
    for code, (lsb, ascent, rows) in glyphs.items():
        left = LEFT + CELL * (code - FIRST)
        for r, row in enumerate(rows):
            y = baseline - ascent + r
            for c, bit in enumerate(row):
                x = left + lsb + c
                if bit and 0 <= y < HEIGHT and left <= x < left + CELL:
                    pixels[y][x] = 1
    return pixels


def encode(pixels):
    runs, current, length = [], 0, 0
    for row in pixels:
        for bit in row:
            if bit != current:
                runs.append(length)
                current, length = bit, 0
            length += 1
    runs.append(length)
    out = []
    for run in runs:
        out.append("~" * (run // 94) + chr(32 + run % 94))
    return "".join(out)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "src/tarn/gfx/font/systemfontdata.h"
    text = encode(sheet(read_font(gzip.open(SOURCE).read())))
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("?", "\\?")
    lines = [escaped[i:i + 96] for i in range(0, len(escaped), 96)]
    # Never split an escape between two literals.
    fixed = []
    carry = ""
    for line in lines:
        line = carry + line
        carry = ""
        while line.endswith("\\") and (len(line) - len(line.rstrip("\\"))) % 2 == 1:
            carry = line[-1] + carry
            line = line[:-1]
        fixed.append(line)
    if carry:
        fixed.append(carry)
    with open(target, "w") as out:
        out.write("// The system font's glyph sheet as a run-length text (written by tools/make_system_font.py\n")
        out.write("// from the public-domain X11 fixed 8x13 font); transparent and white runs alternate.\n")
        out.write("#ifndef TARN_GFX_FONT_SYSTEMFONTDATA_H\n#define TARN_GFX_FONT_SYSTEMFONTDATA_H\n\n")
        out.write("namespace tarn {\n\n// %d characters.\nconst char* const kSystemFontRuns =\n" % len(text))
        out.write("\n".join('    "%s"' % line for line in fixed))
        out.write(";\n\n}  // namespace tarn\n\n#endif\n")


main()
