"""Cell pictures redrawn for the list at 150 % and 200 %.

The pixel maps are drawn at 96 DPI. Doubling or tripling each pixel would leave stairs on every
slanted edge, so the larger sets are made with the Scale2x and Scale3x rules, which round a corner
where two neighbours of one colour meet and add no colour of their own (the files keep 4 bits per
pixel). 150 % takes the middle of each 2 x 2 group of the tripled picture.
"""

PERCENTS = (150, 200)


def scaled_size(width, height, percent):
    return width * percent // 100, height * percent // 100


def _neighbours(rows, x, y):
    """The pixel and its eight neighbours, the edge repeated outside the picture."""
    height, width = len(rows), len(rows[0])

    def at(dx, dy):
        return rows[min(max(y + dy, 0), height - 1)][min(max(x + dx, 0), width - 1)]

    return [at(dx, dy) for dy in (-1, 0, 1) for dx in (-1, 0, 1)]


def scale2x(rows):
    out = []
    for y in range(len(rows)):
        upper, lower = [], []
        for x in range(len(rows[0])):
            _, b, _, d, e, f, _, h, _ = _neighbours(rows, x, y)
            upper += [d if d == b and b != f and d != h else e, f if b == f and b != d and f != h else e]
            lower += [d if d == h and d != b and h != f else e, f if h == f and d != h and b != f else e]
        out += ["".join(upper), "".join(lower)]
    return out


def scale3x(rows):
    out = []
    for y in range(len(rows)):
        bands = [[], [], []]
        for x in range(len(rows[0])):
            a, b, c, d, e, f, g, h, i = _neighbours(rows, x, y)
            db = d == b and d != h and b != f
            bf = b == f and b != d and f != h
            dh = d == h and d != b and h != f
            hf = h == f and d != h and b != f
            bands[0] += [d if db else e, b if (db and e != c) or (bf and e != a) else e, f if bf else e]
            bands[1] += [d if (db and e != g) or (dh and e != a) else e, e,
                         f if (bf and e != i) or (hf and e != c) else e]
            bands[2] += [d if dh else e, h if (dh and e != i) or (hf and e != g) else e, f if hf else e]
        out += ["".join(band) for band in bands]
    return out


def scaled_rows(rows, percent):
    """rows (equal lengths) at percent, one of PERCENTS."""
    if percent == 200:
        return scale2x(rows)
    tripled = scale3x(rows)
    width, height = scaled_size(len(rows[0]), len(rows), percent)
    return ["".join(tripled[2 * y + 1][2 * x + 1] for x in range(width)) for y in range(height)]
