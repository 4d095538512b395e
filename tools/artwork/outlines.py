"""Glyph outlines as cubic contours, laid out as lines of text.

Every outline is a list of contours; a contour is a start point and a list of segments,
each ("L", p) or ("C", c1, c2, p), with points as (x, y) tuples in y-down units. Quadratic
TrueType segments become exact cubic ones, so the documents need no Q or T commands.
"""

from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTFont


class _CubicPen(BasePen):
    def __init__(self, glyph_set):
        super().__init__(glyph_set)
        self.contours = []

    def _moveTo(self, p):
        self.contours.append([p, []])

    def _lineTo(self, p):
        self.contours[-1][1].append(("L", p))

    def _curveToOne(self, c1, c2, p):
        self.contours[-1][1].append(("C", c1, c2, p))

    def _qCurveToOne(self, q, p):
        # The cubic through the same points: control points two thirds of the way to q.
        p0 = self._getCurrentPoint()
        c1 = (p0[0] + 2.0 / 3.0 * (q[0] - p0[0]), p0[1] + 2.0 / 3.0 * (q[1] - p0[1]))
        c2 = (p[0] + 2.0 / 3.0 * (q[0] - p[0]), p[1] + 2.0 / 3.0 * (q[1] - p[1]))
        self.contours[-1][1].append(("C", c1, c2, p))

    def _closePath(self):
        pass

    def _endPath(self):
        pass


class Face:
    """One font file: glyph outlines and advances by character."""

    def __init__(self, path):
        self.path = path
        self.font = TTFont(path)
        self.glyph_set = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()
        self.units_per_em = self.font["head"].unitsPerEm

    def glyph_name(self, char):
        name = self.cmap.get(ord(char))
        if name is None:
            raise KeyError("%s has no glyph for %r" % (self.path, char))
        return name

    def contours(self, char):
        pen = _CubicPen(self.glyph_set)
        self.glyph_set[self.glyph_name(char)].draw(pen)
        return pen.contours

    def advance(self, char):
        return self.glyph_set[self.glyph_name(char)].width


def map_outline(outline, fn):
    """Applies fn to every point of an outline."""
    result = []
    for start, segments in outline:
        mapped = []
        for seg in segments:
            mapped.append((seg[0],) + tuple(fn(p) for p in seg[1:]))
        result.append([fn(start), mapped])
    return result


def text_outline(face, text, size, tracking=0.0, kerning=None):
    """Lays text out on a baseline at y = 0, em size `size`, y downwards.

    tracking is extra space per letter in em; kerning maps a pair of characters to an
    adjustment in em, for the few pairs whose default spacing looks wrong at this size.
    """
    return [c for glyph in glyph_outlines(face, text, size, tracking, kerning) for c in glyph]


def glyph_outlines(face, text, size, tracking=0.0, kerning=None):
    """As text_outline, but one outline per glyph (the rim needs to know which contours belong together)."""
    scale = size / face.units_per_em
    glyphs = []
    pen_x = 0.0
    previous = None
    for char in text:
        if previous is not None and kerning:
            pen_x += kerning.get(previous + char, 0.0) * size
        x0 = pen_x
        glyph = map_outline(face.contours(char), lambda p, x0=x0: (x0 + p[0] * scale, -p[1] * scale))
        if glyph:
            glyphs.append(glyph)
        pen_x += face.advance(char) * scale + tracking * size
        previous = char
    return glyphs


def flatten(outline, steps=16):
    """Polylines approximating each contour (for bounds and for the rim)."""
    rings = []
    for start, segments in outline:
        ring = [start]
        current = start
        for seg in segments:
            if seg[0] == "L":
                ring.append(seg[1])
            else:
                c1, c2, p = seg[1], seg[2], seg[3]
                for i in range(1, steps + 1):
                    t = i / steps
                    u = 1.0 - t
                    ring.append(
                        (
                            u * u * u * current[0] + 3 * u * u * t * c1[0] + 3 * u * t * t * c2[0] + t * t * t * p[0],
                            u * u * u * current[1] + 3 * u * u * t * c1[1] + 3 * u * t * t * c2[1] + t * t * t * p[1],
                        )
                    )
            current = seg[-1]
        rings.append(ring)
    return rings


def bounds(outline):
    xs, ys = [], []
    for ring in flatten(outline):
        xs += [p[0] for p in ring]
        ys += [p[1] for p in ring]
    return min(xs), min(ys), max(xs), max(ys)


def place_outline(outline, scale, dx, dy):
    return map_outline(outline, lambda p: (dx + scale * p[0], dy + scale * p[1]))


def fit_transform(outline, box, align=(0.5, 0.5)):
    """Scale and offset (s, dx, dy) that fit an outline uniformly into box (x0, y0, x1, y1)."""
    x0, y0, x1, y1 = bounds(outline)
    bx0, by0, bx1, by1 = box
    s = min((bx1 - bx0) / (x1 - x0), (by1 - by0) / (y1 - y0))
    dx = bx0 + align[0] * ((bx1 - bx0) - s * (x1 - x0)) - s * x0
    dy = by0 + align[1] * ((by1 - by0) - s * (y1 - y0)) - s * y0
    return s, dx, dy


def place_glyphs(glyphs, scale, dx, dy):
    return [place_outline(g, scale, dx, dy) for g in glyphs]


def flat(glyphs):
    return [c for g in glyphs for c in g]
