"""The dark rim under lettering: the glyphs' filled area grown outwards by a fixed width.

The result is an ordinary filled outline (no stroke), so it scales with the drawing like the
glyphs themselves; outer and inner contours run in opposite directions, so it fills the same
under the non-zero and the even-odd rule.
"""

from shapely.geometry import Polygon
from shapely.geometry.polygon import orient
from shapely.ops import unary_union

from outlines import flatten


def _glyph_region(glyph):
    region = None
    for ring in flatten(glyph, 12):
        if len(ring) < 3:
            continue
        piece = Polygon(ring).buffer(0)
        # Within one glyph the font's contours never overlap, so holes are where an odd number lie.
        region = piece if region is None else region.symmetric_difference(piece)
    return region


def _polygons(shape):
    if shape.is_empty:
        return []
    if shape.geom_type == "Polygon":
        return [shape]
    return [g for g in shape.geoms if g.geom_type == "Polygon"]


def widened(glyphs, width, tolerance=0.002):
    """Outline of the union of all glyphs grown by `width`, with round corners."""
    regions = [r for r in (_glyph_region(g) for g in glyphs) if r is not None]
    grown = unary_union(regions).buffer(width, join_style=1, resolution=8).simplify(tolerance)
    return region_outline(grown)


def region_outline(shape):
    outline = []
    for polygon in _polygons(shape):
        polygon = orient(polygon, 1.0)
        for ring in [polygon.exterior] + list(polygon.interiors):
            points = list(ring.coords)[:-1]
            outline.append([points[0], [("L", p) for p in points[1:]]])
    return outline
