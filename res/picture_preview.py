"""Draws the pictures enlarged into one PNG, to look at them without building the library.

Each tile shows one image: its resource id and size, the whole image enlarged over a
checkerboard where it is see-through (a frame marks the part a list cell shows), and below it
the part that is shown at real size and twice the size, on a white and on a highlighted row.
The 150 % and 200 % sets follow the pictures drawn for 96 DPI, enlarged less, so that every
tile's large image is about the same size.
"""

import struct
import zlib

import picture_scaling

SCALE = 7  # the enlargement of an image of up to 32 pixels
ENLARGED = 32 * SCALE  # pixels of the largest enlarged image
GAP = 8
SHOWN = (20, 19)  # the part of a cell picture that a list cell draws at 96 DPI
COLUMNS = 4
LABEL_HEIGHT = 14
PAPER = (255, 255, 255)
CHECKER = (214, 214, 214)
FRAME = (255, 0, 255)
INK = (0, 0, 0)
HIGHLIGHT = (0, 120, 215)
PURE_GREEN = (0, 255, 0)

# 3 x 5 glyphs of the characters of a label, 15 pixels each, row by row.
GLYPHS = {
    "0": "111101101101111",
    "1": "010110010010111",
    "2": "111001111100111",
    "3": "111001111001111",
    "4": "101101111001001",
    "5": "111100111001111",
    "6": "111100111101111",
    "7": "111001001001001",
    "8": "111101111101111",
    "9": "111101111001111",
    "x": "000101010101000",
    " ": "000000000000000",
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[PAPER] * width for _ in range(height)]

    def fill(self, x, y, width, height, colour):
        for row in self.pixels[y : y + height]:
            row[x : x + width] = [colour] * width

    def frame(self, x, y, width, height, colour):
        self.fill(x, y, width, 1, colour)
        self.fill(x, y + height - 1, width, 1, colour)
        self.fill(x, y, 1, height, colour)
        self.fill(x + width - 1, y, 1, height, colour)

    def text(self, x, y, text, size=2):
        for char in text:
            for i, bit in enumerate(GLYPHS[char]):
                if bit == "1":
                    self.fill(x + (i % 3) * size, y + (i // 3) * size, size, size, INK)
            x += 4 * size

    def image(self, x, y, rows, colours, see_through, scale, backdrop=None):
        """Draws pixel rows; see-through pixels show the backdrop, or a checkerboard."""
        for j, row in enumerate(rows):
            for i, char in enumerate(row):
                if char != see_through:
                    colour = colours[char]
                elif backdrop:
                    colour = backdrop
                else:
                    colour = CHECKER if (i + j) % 2 else PAPER
                self.fill(x + i * scale, y + j * scale, scale, scale, colour)

    def png(self):
        raw = b"".join(b"\0" + bytes(c for rgb in row for c in rgb) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (
            b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b"")
        )


def tiles_of(picture, label):
    """(label, rows, see-through character or None, shown part or None) for each image."""
    if picture.kind == "icon":
        return [(f"{label} {len(r)}x{len(r)}", r, picture.background, None) for r in picture.images]
    width, height = picture.size
    rows = picture.full_rows(picture.images[0], width, height)
    text = f"{label} {width}x{height}"
    # Cell pictures are the ones with pure green: a cell leaves it out and shows SHOWN only,
    # scaled with the picture.
    green = [char for char, rgb in picture.colours.items() if rgb == PURE_GREEN]
    if not green:
        return [(text, rows, None, None)]
    return [(text, rows, green[0], picture_scaling.scaled_size(*SHOWN, picture.percent))]


def write_preview(labelled, path):
    """labelled: (picture, the resource id shown above it) pairs, in the order drawn."""
    tiles = [
        (tile, picture.colours) for picture, label in labelled for tile in tiles_of(picture, label)
    ]
    largest = max(max(len(rows), len(rows[0])) for (_, rows, _, _), _ in tiles)
    # Each backdrop holds the shown part at real size and twice the size.
    backdrop_width = 3 * (largest + GAP)
    tile_width = max(ENLARGED, 2 * backdrop_width) + 2 * GAP
    tile_height = LABEL_HEIGHT + ENLARGED + 2 * GAP + 2 * largest + GAP
    canvas = Canvas(COLUMNS * tile_width, -(-len(tiles) // COLUMNS) * tile_height)
    for n, ((label, rows, see_through, shown), colours) in enumerate(tiles):
        x = (n % COLUMNS) * tile_width + GAP
        y = (n // COLUMNS) * tile_height + GAP
        canvas.text(x, y, label)
        top = y + LABEL_HEIGHT
        scale = min(SCALE, ENLARGED // max(len(rows), len(rows[0])))
        canvas.image(x, top, rows, colours, see_through, scale)
        if shown:
            canvas.frame(x - 1, top - 1, shown[0] * scale + 2, shown[1] * scale + 2, FRAME)
            rows = [row[: shown[0]] for row in rows[: shown[1]]]
        small_top = top + ENLARGED + GAP
        for k, backdrop in enumerate((PAPER, HIGHLIGHT)):
            left = x + k * backdrop_width
            canvas.image(left, small_top, rows, colours, see_through, 1, backdrop)
            canvas.image(left + largest + GAP, small_top, rows, colours, see_through, 2, backdrop)
    path.write_bytes(canvas.png())
    print(f"wrote {path}")
