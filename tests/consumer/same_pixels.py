#!/usr/bin/env python3
"""Says whether two PNG files hold the same pixels, however each was
encoded: the embedding example writes its PNG with stb, `tavrix render` with
libpng. Decodes 8-bit RGB and RGBA without interlace with zlib alone, as the
consumer check must not need packages beyond python3. Exit 0: same pixels;
1: they differ; 2: a file it cannot read."""
import struct
import sys
import zlib

CHANNELS = {2: 3, 6: 4}  # colour type: RGB, RGBA


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def unfilter(kind, line, previous, bpp):
    out = bytearray(line)
    for i in range(len(out)):
        a = out[i - bpp] if i >= bpp else 0
        b = previous[i]
        c = previous[i - bpp] if i >= bpp else 0
        predictor = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
        out[i] = (out[i] + predictor) & 0xFF
    return out


def read_chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    offset = 8
    while offset + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        yield kind, data[offset + 8:offset + 8 + length]
        offset += 12 + length


def decode(path):
    """(width, height, RGBA bytes); RGB gains an opaque alpha."""
    with open(path, "rb") as f:
        data = f.read()
    chunks = list(read_chunks(data))
    if not chunks or chunks[0][0] != b"IHDR":
        raise ValueError("no header")
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if depth != 8 or colour not in CHANNELS or interlace:
        raise ValueError("only 8-bit RGB or RGBA without interlace is read")
    bpp = CHANNELS[colour]
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    stride = width * bpp
    if len(raw) < height * (stride + 1):
        raise ValueError("image data too short")
    pixels = bytearray()
    previous = bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        if kind > 4:
            raise ValueError("unknown filter %d" % kind)
        previous = unfilter(kind, raw[start + 1:start + 1 + stride], previous, bpp)
        pixels += previous
    if bpp == 3:
        pixels = b"".join(bytes(pixels[i:i + 3]) + b"\xff" for i in range(0, len(pixels), 3))
    return width, height, bytes(pixels)


def main(argv):
    if len(argv) != 3:
        print("usage: same_pixels.py A.png B.png", file=sys.stderr)
        return 2
    try:
        a, b = decode(argv[1]), decode(argv[2])
    except (OSError, ValueError, zlib.error, struct.error) as error:
        print("same_pixels.py: %s" % error, file=sys.stderr)
        return 2
    if a[:2] != b[:2]:
        print("%s is %dx%d, %s is %dx%d" % (argv[1], *a[:2], argv[2], *b[:2]))
        return 1
    differing = sum(a[2][i:i + 4] != b[2][i:i + 4] for i in range(0, len(a[2]), 4))
    if differing:
        print("%s and %s differ in %d pixels" % (argv[1], argv[2], differing))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
