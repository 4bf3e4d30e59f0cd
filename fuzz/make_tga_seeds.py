#!/usr/bin/env python3
"""Writes the seed corpus of tga_read_fuzz: one small valid file of every image
type, depth, origin and colour-map entry size the reader knows."""
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "tga_read_fuzz")


def header(image_type, width, height, depth, descriptor=0, cmap=None, id_bytes=b""):
    cmap_type, first, length, bits = (0, 0, 0, 0) if cmap is None else (1,) + cmap
    return struct.pack("<BBBHHBHHHHBB", len(id_bytes), cmap_type, image_type, first, length, bits,
                       0, 0, width, height, depth, descriptor) + id_bytes


def value(v, nbytes):
    return v.to_bytes(nbytes, "little")


def raw(values, nbytes):
    return b"".join(value(v, nbytes) for v in values)


def rle(values, nbytes):
    """Runs for repeated values, raw packets otherwise; packets may cross rows."""
    out, i = b"", 0
    while i < len(values):
        n = 1
        while i + n < len(values) and n < 128 and values[i + n] == values[i]:
            n += 1
        if n > 1:
            out += bytes([0x80 | (n - 1)]) + value(values[i], nbytes)
        else:
            j = i + 1
            while j < len(values) and j - i < 128 and not (j + 1 < len(values) and values[j] == values[j + 1]):
                j += 1
            n = j - i
            out += bytes([n - 1]) + raw(values[i:j], nbytes)
        i += n
    return out


def picture(w, h, maxval):
    return [((x * 37 + y * 101) * 2654435761 >> 7) % (maxval + 1) if (x + y) % 3 else 0
            for y in range(h) for x in range(w)]


def main():
    os.makedirs(OUT, exist_ok=True)
    w, h = 6, 5
    seeds = {}
    for depth, desc in ((15, 0), (16, 0), (16, 1), (24, 0), (32, 0), (32, 8)):
        nbytes = (depth + 7) // 8
        values = picture(w, h, (1 << depth) - 1 if depth < 32 else 0xFFFFFFFF)
        seeds[f"true_{depth}_{desc}.tga"] = header(2, w, h, depth, desc) + raw(values, nbytes)
        seeds[f"true_rle_{depth}_{desc}.tga"] = header(10, w, h, depth, desc) + rle(values, nbytes)
    for desc in (0x10, 0x20, 0x30):
        values = picture(w, h, 0xFFFFFF)
        seeds[f"origin_{desc:02x}.tga"] = header(2, w, h, 24, desc) + raw(values, 3)
    grey = picture(w, h, 255)
    seeds["grey_8.tga"] = header(3, w, h, 8) + raw(grey, 1)
    seeds["grey_rle_8.tga"] = header(11, w, h, 8) + rle(grey, 1)
    seeds["grey_16_alpha.tga"] = header(3, w, h, 16, 8) + raw([g | 0x8000 for g in grey], 2)
    for bits in (15, 16, 24, 32):
        entries = 7
        nbytes = (bits + 7) // 8
        cmap = raw([(i * 0x2F1B3D) & ((1 << bits) - 1) for i in range(entries)], nbytes)
        indices = [v % (entries + 1) for v in picture(w, h, 255)]  # one index past the map
        colour_map = (0, entries, bits)
        seeds[f"mapped_{bits}.tga"] = header(1, w, h, 8, 8 if bits == 32 else 0, colour_map) + cmap + raw(indices, 1)
        seeds[f"mapped_rle_{bits}.tga"] = header(9, w, h, 8, 0x20, colour_map) + cmap + rle(indices, 1)
    seeds["mapped_16bit_index.tga"] = header(1, w, h, 16, 0, (2, 4, 24)) + raw(range(12), 3) + raw(
        [v % 6 for v in picture(w, h, 255)], 2)
    seeds["with_id.tga"] = header(2, w, h, 24, 0, None, b"town") + raw(picture(w, h, 0xFFFFFF), 3)
    seeds["truncated_rle.tga"] = header(10, w, h, 24) + rle(picture(w, h, 0xFFFFFF), 3)[:20]
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    print(f"{len(seeds)} seeds in {OUT}", file=sys.stderr)


if __name__ == "__main__":
    main()
