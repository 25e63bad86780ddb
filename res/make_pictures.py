#!/usr/bin/env python3
"""Writes the plug-in's bitmaps and icons from the pixel maps in pictures/.

Each pictures/<name>.txt is one picture:

    # comment lines start with '#'
    bitmap 32 30                 or: icon
    colour .   0 255   0   see-through
    colour k   0   0   0   outline
                                 one line per character: red, green, blue, then a note
    background .                 the character of every pixel the map leaves out
    scaled                       optional: a cell picture, also made for 150 % and 200 %
    pixels                       last: one line per pixel row, one character per pixel
    ..kk..

At most 16 colours: the files have 4 bits per pixel. A bitmap becomes bitmaps/<name>.bmp of the
stated size; its pixel rows start at the top left and may be shorter or fewer than the size, the
rest is background. An icon has one 'pixels' block per image, 16 x 16 or 32 x 32, and becomes
icons/<name>.ico; its background is see-through. A scaled bitmap is also written to
bitmaps/<percent>/<name>.bmp at that size (picture_scaling.py), and scaled_pictures.rc lists those
files at the picture's id plus IDB_SCALED_<percent> of resource.h.

    make_pictures.py                   writes every .bmp and .ico
    make_pictures.py --preview X.png   also draws every picture of every set into X.png
"""

import argparse
import pathlib
import struct
import sys

import picture_preview
import picture_scaling

HERE = pathlib.Path(__file__).resolve().parent
PALETTE_SIZE = 16  # 4 bits per pixel


class PictureError(Exception):
    pass


class Picture:
    def __init__(self, name, kind):
        self.name = name
        self.kind = kind  # "bitmap" or "icon"
        self.size = None  # (width, height) of a bitmap
        self.colours = {}  # character -> (r, g, b), in the order given
        self.background = None
        self.images = []  # lists of pixel rows (strings)
        self.scaled = False  # also made for the list's larger scales
        self.percent = 100

    def index_of(self, char):
        return list(self.colours).index(char)

    def full_rows(self, rows, width, height):
        """The rows padded with background to width x height."""
        if len(rows) > height or any(len(row) > width for row in rows):
            raise PictureError(f"{self.name}: pixels exceed {width} x {height}")
        padded = [row + self.background * (width - len(row)) for row in rows]
        return padded + [self.background * width] * (height - len(rows))


def parse_picture(path):
    picture = None
    rows = None  # the pixel rows being read, once a 'pixels' line has been seen
    for number, line in enumerate(path.read_text().splitlines(), 1):
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        try:
            if words[0] == "pixels" and picture:
                rows = []
                picture.images.append(rows)
            elif rows is not None:
                rows.append(line)
            elif words[0] in ("bitmap", "icon"):
                picture = Picture(path.stem, words[0])
                if words[0] == "bitmap":
                    picture.size = (int(words[1]), int(words[2]))
            elif picture is None:
                raise PictureError("a picture starts with 'bitmap' or 'icon'")
            elif words[0] == "colour":
                rgb = tuple(int(v) for v in words[2:5])
                if len(words[1]) != 1 or len(rgb) != 3 or not all(0 <= v <= 255 for v in rgb):
                    raise PictureError("'colour <char> <red> <green> <blue>' expected")
                picture.colours[words[1]] = rgb
            elif words[0] == "background":
                picture.background = words[1]
            elif words[0] == "scaled" and picture.kind == "bitmap":
                picture.scaled = True
            else:
                raise PictureError(f"unknown line '{line}'")
        except (PictureError, ValueError, IndexError) as error:
            raise PictureError(f"{path.name}:{number}: {error}") from None
    check_picture(picture, path)
    return picture


def check_picture(picture, path):
    if picture is None or not picture.images:
        raise PictureError(f"{path.name}: no pixels")
    if len(picture.colours) > PALETTE_SIZE:
        raise PictureError(f"{path.name}: more than {PALETTE_SIZE} colours")
    if picture.background not in picture.colours:
        raise PictureError(f"{path.name}: the background is not one of its colours")
    for rows in picture.images:
        unknown = {char for row in rows for char in row} - set(picture.colours)
        if unknown:
            raise PictureError(f"{path.name}: characters without a colour: {sorted(unknown)}")
    if picture.kind == "bitmap" and len(picture.images) != 1:
        raise PictureError(f"{path.name}: a bitmap has one 'pixels' block")
    if picture.kind == "icon":
        for rows in picture.images:
            side = len(rows)
            if side not in (16, 32) or any(len(row) != side for row in rows):
                raise PictureError(f"{path.name}: icon images are 16 x 16 or 32 x 32")


def pack_4bit_rows(rows, index_of):
    """Pixel rows bottom-up, two pixels a byte, each row padded to 4 bytes."""
    packed = bytearray()
    for row in reversed(rows):
        indices = [index_of(char) for char in row] + [0]
        line = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(row), 2))
        packed += line + b"\0" * (-len(line) % 4)
    return bytes(packed)


def pack_mask_rows(rows, background):
    """AND mask bottom-up, 1 bit a pixel (1 = see-through), each row padded to 4 bytes."""
    packed = bytearray()
    for row in reversed(rows):
        bits = [1 if char == background else 0 for char in row] + [0] * 7
        line = bytes(
            sum(bits[i + b] << (7 - b) for b in range(8)) for i in range(0, len(row), 8)
        )
        packed += line + b"\0" * (-len(line) % 4)
    return bytes(packed)


def palette_bytes(colours):
    entries = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return entries + b"\0" * (4 * (PALETTE_SIZE - len(colours)))


def info_header(width, height, image_size):
    # BITMAPINFOHEADER: 4 bits per pixel, uncompressed, a full 16-entry palette.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 0, 0)


def bitmap_file(picture):
    width, height = picture.size
    rows = picture.full_rows(picture.images[0], width, height)
    pixels = pack_4bit_rows(rows, picture.index_of)
    dib = info_header(width, height, len(pixels)) + palette_bytes(list(picture.colours.values()))
    offset = 14 + len(dib)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + dib + pixels


def icon_file(picture):
    # See-through pixels must have a black colour under the mask: the background's palette
    # entry is written as black.
    colours = [
        (0, 0, 0) if char == picture.background else rgb for char, rgb in picture.colours.items()
    ]
    images = []
    for rows in picture.images:
        side = len(rows)
        xor = pack_4bit_rows(rows, picture.index_of)
        mask = pack_mask_rows(rows, picture.background)
        header = info_header(side, 2 * side, len(xor) + len(mask))
        images.append((side, header + palette_bytes(colours) + xor + mask))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for side, data in images:
        entries += struct.pack("<BBBBHHII", side, side, PALETTE_SIZE, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def scaled_picture(picture, percent):
    """The bitmap picture redrawn at percent."""
    scaled = Picture(picture.name, "bitmap")
    scaled.size = picture_scaling.scaled_size(*picture.size, percent)
    scaled.colours = picture.colours
    scaled.background = picture.background
    rows = picture.full_rows(picture.images[0], *picture.size)
    scaled.images = [picture_scaling.scaled_rows(rows, percent)]
    scaled.percent = percent
    return scaled


def output_path(picture):
    if picture.kind == "bitmap" and picture.percent != 100:
        return HERE / "bitmaps" / str(picture.percent) / f"{picture.name}.bmp"
    if picture.kind == "bitmap":
        return HERE / "bitmaps" / f"{picture.name}.bmp"
    return HERE / "icons" / f"{picture.name}.ico"


def write_pictures(pictures):
    for picture in pictures:
        path = output_path(picture)
        path.parent.mkdir(exist_ok=True)
        data = bitmap_file(picture) if picture.kind == "bitmap" else icon_file(picture)
        path.write_bytes(data)
        print(f"wrote {path.relative_to(HERE)}")


def defines():
    """Name -> value of each #define of resource.h."""
    ids = {}
    for line in (HERE / "resource.h").read_text().splitlines():
        words = line.split()
        if len(words) == 3 and words[0] == "#define":
            ids[words[1]] = words[2]
    return ids


def scaled_resource_id(picture, ids, offsets):
    """A scaled picture's resource id: its picture's id plus its set's offset."""
    return int(ids[picture.name]) + int(offsets[f"IDB_SCALED_{picture.percent}"])


def write_scaled_script(scaled, ids):
    """scaled_pictures.rc: the scaled bitmaps at their pictures' ids plus their set's offset."""
    offsets = defines()
    lines = [
        "// Generated by res/make_pictures.py: the cell pictures drawn at 150 % and 200 %, each at",
        "// its picture's id plus IDB_SCALED_150 or IDB_SCALED_200 (resource.h).",
    ]
    for picture in scaled:
        path = output_path(picture).relative_to(HERE.parent).as_posix()
        lines.append(f'{scaled_resource_id(picture, ids, offsets)} BITMAP "{path}"')
    (HERE / "scaled_pictures.rc").write_text("\n".join(lines) + "\n")
    print("wrote scaled_pictures.rc")


def resource_ids(pictures):
    """Picture name -> its resource id, from resource.h and the resource script."""
    ids = defines()
    named = {}
    for line in (HERE / "kzqvl_view.rc").read_text().splitlines():
        words = line.split()
        if len(words) == 3 and words[0] in ids and words[1] in ("BITMAP", "ICON"):
            named[pathlib.Path(words[2].strip('"')).stem] = ids[words[0]]
    missing = [picture.name for picture in pictures if picture.name not in named]
    if missing:
        raise PictureError(f"not in kzqvl_view.rc: {', '.join(missing)}")
    return named


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", type=pathlib.Path, help="also draw every picture into a PNG")
    args = parser.parse_args()
    try:
        pictures = [parse_picture(path) for path in sorted((HERE / "pictures").glob("*.txt"))]
        scaled = [
            scaled_picture(picture, percent)
            for percent in picture_scaling.PERCENTS
            for picture in pictures
            if picture.scaled
        ]
        write_pictures(pictures + scaled)
        ids = resource_ids(pictures)
        write_scaled_script(scaled, ids)
        if args.preview:
            offsets = defines()
            labels = [ids[picture.name] for picture in pictures]
            labels += [scaled_resource_id(picture, ids, offsets) for picture in scaled]
            picture_preview.write_preview(list(zip(pictures + scaled, labels)), args.preview)
    except PictureError as error:
        sys.exit(f"make_pictures: {error}")


if __name__ == "__main__":
    main()
