#!/usr/bin/python3
"""Regenerates the editor's artwork: the twenty-three SVG documents in editor/artwork/.

Run with Debian's Python (it needs python3-fonttools, python3-shapely and the fonts named in
editor/artwork/FONTS.md):  /usr/bin/python3 tools/artwork/generate.py [output folder]
The output is deterministic, so regenerating unchanged sources changes no file.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dotmatrix import dot_matrix_d  # noqa: E402
from outlines import Face, bounds, fit_transform, flat, glyph_outlines, map_outline, place_glyphs  # noqa: E402
from rim import region_outline, widened  # noqa: E402
from shapely.geometry import Polygon  # noqa: E402
from svgdoc import Document, arc_point, circle_d, exact, num, outline_d, rounded_rect_d, style  # noqa: E402

CREAM = "#fdfcd7"
BROWN = "#5a361e"
TAN = "#dfb26c"
RED = "#df2410"
BLACK = "#000000"
PANEL_BROWN = "#3d2514"
LAMP_DARK = "#26170d"
GUIDE_CREAM = "#faf9d4"

RIM = 0.3

FONT_DIR_DEJAVU = "/usr/share/fonts/truetype/dejavu/"
LETTERING = Face(FONT_DIR_DEJAVU + "DejaVuSansCondensed-Bold.ttf")
FIGURES = Face(FONT_DIR_DEJAVU + "DejaVuSans-Bold.ttf")
SCRIPT = Face("/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf")

NOTE_VALUES = ["4/1", "2/1", "1/1", "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"]


def fill_style(colour, opacity=1, rule="evenodd"):
    return style(fill=colour, fill_opacity=exact(opacity), fill_rule=rule, stroke="none")


def guide_rect_style(stroke_colour):
    # Painted by nothing: no fill and a stroke of width 0; kept as the drawing's reference frame.
    # The generator's own property marks it for anyone editing the file; renderers ignore it.
    return style(fill="none", fill_opacity=1, stroke=stroke_colour, stroke_width=0, stroke_opacity=1, _kelvanor_guide=1)


def lettering(doc, glyphs, colour=CREAM, indent=2, rim_width=RIM):
    """Cream (or other) glyphs over a dark-brown copy grown by the rim width."""
    doc.path(outline_d(widened(glyphs, rim_width)), fill_style(BROWN, rule="nonzero"), indent)
    doc.path(outline_d(flat(glyphs)), fill_style(colour, rule="nonzero"), indent)


def fitted(text, face, box, size=10.0, tracking=0.0, align=(0.5, 0.5)):
    glyphs = glyph_outlines(face, text, size, tracking)
    s, dx, dy = fit_transform(flat(glyphs), box, align)
    return place_glyphs(glyphs, s, dx, dy)


def stretched(text, face, box, size=10.0, tracking=0.0):
    """Glyphs scaled separately in x and y so that their ink touches all four sides of box."""
    glyphs = glyph_outlines(face, text, size, tracking)
    x0, y0, x1, y1 = bounds(flat(glyphs))
    sx = (box[2] - box[0]) / (x1 - x0)
    sy = (box[3] - box[1]) / (y1 - y0)
    return [map_outline(g, lambda p: (box[0] + (p[0] - x0) * sx, box[1] + (p[1] - y0) * sy)) for g in glyphs]


def inset(box, d):
    return (box[0] + d, box[1] + d, box[2] - d, box[3] - d)


# ---------------------------------------------------------------------------------------------
# The documents


def background():
    doc = Document("38.67495", "38.379723")
    # The group's offset is where the ground sat on the drawing board; the rectangle still covers
    # exactly the view box.
    doc.open_group("layer1", "translate(-12.5,-40.25)")
    doc.rect(12.5, 40.25, doc.w, doc.h, style(fill=BLACK, fill_opacity=1, stroke="none"), indent=4)
    doc.close_group()
    return doc


def panel():
    doc = Document("122.21889", "205.15402", "122.21892", "205.15402")
    w, h = doc.w, doc.h
    # (1) the ground: no fill given, so it paints black.
    doc.rect(0, 0, w, h, style(stroke="none", stroke_width=0.264583))
    # (2) the control area as a guide for placing the controls.
    doc.rect(7.1, 7.5, 108.0, 163.7, fill_style(BLACK, 0) + ";-kelvanor-guide:1", rx=3.0)
    # (3) and (4) the frame: a brown band with a tan band inside it, leaving fine brown lines.
    doc.path(
        rounded_rect_d(0, 0, w, h, 5.1) + " " + rounded_rect_d(4.3, 4.3, w - 4.3, h - 4.3, 0.8, clockwise=False),
        fill_style(PANEL_BROWN),
    )
    doc.path(
        rounded_rect_d(1.06, 1.06, w - 1.06, h - 1.06, 4.04, relative=True)
        + " "
        + rounded_rect_d(3.16, 3.16, w - 3.16, h - 3.16, 1.94, clockwise=False, relative=True),
        fill_style(TAN),
    )
    # (5) the logotype in the notch.
    logotype(doc)
    # (6) the cream line around the control area, dipping under the logotype.
    doc.path(outline_d(control_frame_outline(), relative=False), fill_style(CREAM, rule="nonzero"))
    return doc


NOTCH = (36.6, 85.62, 41.2, 81.02, 27.0)  # top left x, top right x, bottom left x, bottom right x, bottom y


def control_frame_outline():
    x0, y0, x1, y1 = 7.1, 7.5, 115.1, 171.2
    tl, tr, bl, br, by = NOTCH
    region = Polygon([(x0, y0), (tl, y0), (bl, by), (br, by), (tr, y0), (x1, y0), (x1, y1), (x0, y1)])
    # Round the outer corners generously and the notch's corners a little.
    region = region.buffer(-3.2, join_style=1, resolution=16).buffer(3.2, join_style=1, resolution=16)
    region = region.buffer(1.2, join_style=1, resolution=16).buffer(-1.2, join_style=1, resolution=16)
    line = region.buffer(0.19, join_style=1, resolution=16).difference(
        region.buffer(-0.19, join_style=1, resolution=16)
    )
    return region_outline(line.simplify(0.002))


def logotype(doc):
    first = glyph_outlines(SCRIPT, "Kelvanor", 10.0)
    second = glyph_outlines(SCRIPT, "Quorvane", 10.0)
    # The two words share one size; the second sits lower and further right, as a signature would.
    s1, dx1, dy1 = fit_transform(flat(first), (41.6, 5.9, 74.5, 15.9), (0.0, 0.5))
    words = place_glyphs(first, s1, dx1, dy1)
    b = bounds(flat(second))
    words += place_glyphs(second, s1, 79.9 - s1 * b[2], 23.0)
    doc.open_group("logotype")
    doc.path(outline_d(flat(words)), fill_style(CREAM, rule="nonzero"), indent=4)
    # The swash under the second word fades out to the right.
    stops = doc.stops([(0, CREAM, 1), (1, CREAM, 0)])
    grad = doc.linear_gradient(stops, 42.0, 0, 79.6, 0, "matrix(1,0,0,1,0,24.2)")
    swash = (
        "M 42.2,25.3 C 50.5,23.6 64.0,23.3 79.6,23.7 "
        "C 66.0,23.95 53.0,24.5 45.6,25.75 C 44.4,25.95 43.0,25.85 42.2,25.3 Z"
    )
    doc.path(swash, style(fill="url(#%s)" % grad, fill_opacity=1, fill_rule="evenodd", stroke="none"), indent=4)
    doc.close_group()


def note_sync(text):
    doc = Document("19.064453", "16.760429")
    w = doc.w
    cx = 9.535
    doc.path("M 8,3.07 L %s,0 L 11.07,3.07 Z" % num(cx), fill_style(RED), pid="arrowUp")
    # The lower arrow is the upper one turned half a turn about the drawing's centre.
    doc.path(
        "M 8,3.07 L %s,0 L 11.07,3.07 Z" % num(cx), fill_style(RED), transform="rotate(180,9.535,8.3802)", pid="arrowDown"
    )
    doc.path(
        rounded_rect_d(0, 2.79, w, 13.97, 3.15) + " " + rounded_rect_d(0.57, 3.36, w - 0.57, 13.4, 2.58, clockwise=False),
        fill_style(BROWN),
    )
    glyphs = glyph_outlines(LETTERING, text, 8.5, tracking=-0.02)
    x0, y0, x1, y1 = bounds(flat(glyphs))
    # Same figure height in every entry, figures narrowed so that "1/64" sits clear of the
    # window's sides; the value is centred in the window.
    digit_height = -bounds(flat(glyph_outlines(LETTERING, "4", 8.5)))[1]
    sy = 6.3 / digit_height
    sx = 0.84 * sy
    dx = w / 2 - sx * (x0 + x1) / 2
    dy = 8.38 + sy * digit_height / 2
    value = [map_outline(g, lambda p: (dx + sx * p[0], dy + sy * p[1])) for g in glyphs]
    doc.open_group("noteValue" + text.replace("/", "_"))
    lettering(doc, value, indent=4)
    doc.close_group()
    return doc


def sync_caption():
    doc = Document("18.551413", "6.8190575")
    doc.rect(0, 0, doc.w, doc.h, guide_rect_style(GUIDE_CREAM))
    lettering(doc, fitted("Sync", LETTERING, inset((0, 0, doc.w, doc.h), RIM + 0.12)))
    return doc


def mix_caption():
    doc = Document("13.995081", "6.8160005")
    scale = 0.69303673
    doc.rect(0, 0, doc.w, doc.h, guide_rect_style(GUIDE_CREAM))
    doc.open_group("letters", "scale(%s)" % scale)
    local = (0, 0, doc.w / scale, doc.h / scale)
    # Inside the scaled group the rim is widened in group units so it comes out 0.3 wide.
    lettering(doc, fitted("D/W", LETTERING, inset(local, (RIM + 0.12) / scale)), indent=4, rim_width=RIM / scale)
    doc.close_group()
    return doc


def offset_caption():
    doc = Document("21.771471", "5.4790659", "21.771471", "5.479066")
    box = inset((0, 0, doc.w, doc.h), RIM)
    # Letter-spaced until the word has the box's proportions, so that touching all four edges
    # distorts the letters by well under a percent.
    tracking = 0.0
    for _ in range(20):
        x0, y0, x1, y1 = bounds(flat(glyph_outlines(LETTERING, "Offset", 10.0, tracking)))
        wanted = (box[2] - box[0]) / (box[3] - box[1]) * (y1 - y0)
        tracking += (wanted - (x1 - x0)) / 5 / 10.0
    lettering(doc, stretched("Offset", LETTERING, box, tracking=tracking))
    return doc


def duration_caption():
    doc = Document("60.415302", "10.153839")
    doc.rect(0, 0, doc.w, doc.h, guide_rect_style(CREAM))
    lettering(doc, fitted("Duration", LETTERING, (16.1 + RIM, 2.2 + RIM, 43.9 - RIM, 7.8 - RIM)))
    return doc


def mix_knob():
    doc = Document("19.632814", "19.632814")
    w = doc.w
    glow = doc.stops(
        [(0, "#f5e9bc", 1), (0.28082854, "#f4432e", 1), (0.65269917, "#1f0303", 1), (1, BLACK, 1)],
        "radialGradient",
    )
    glow_grad = doc.radial_gradient(glow, 9.7, 9.93, 9.4, "matrix(1,0,0,1,0,0)", spread="reflect")
    pointer = doc.stops([(0, "#f51400", 0), (0.77065295, "#f51400", 1), (1, "#f51400", 1)])
    pointer_grad = doc.linear_gradient(pointer, 9.768, 9.934, 19.606, 9.934, "translate(0,0)")
    doc.circle(9.7, 9.93, 9.4, style(fill="url(#%s)" % glow_grad, fill_opacity=1, stroke="none"))
    c = w / 2
    doc.path(circle_d(c, c, 9.816) + " " + circle_d(c, c, 9.209, clockwise=False), fill_style(BROWN))
    doc.path(
        "M 9.768,7.659 L 19.606,9.934 L 9.768,12.208 Z",
        style(fill="url(#%s)" % pointer_grad, fill_opacity=1, fill_rule="evenodd", stroke="none"),
    )
    doc.rect(0, 0, w, w, style(display="none", fill=RED, fill_opacity=0, stroke="none"))
    return doc


PLATE_TEXT = "KELVANOR QUORVANE"
LAMP = (100.45, 12.24)


def bypass_plate(lit):
    doc = Document("107.30665", "23.537107")
    w, h = doc.w, doc.h
    glow = None
    if lit:
        glow_stops = doc.stops([(0, RED, 1), (1, RED, 0.56286168)], "radialGradient")
        glow = doc.radial_gradient(glow_stops, 0, 0, 2.62, "translate(%s,%s)" % (num(LAMP[0]), num(LAMP[1])))
    doc.rect(0, 0, w, h, fill_style(CREAM), rx=3.4)
    doc.rect(0.85, 0.85, w - 1.7, h - 1.7, style(stroke="none", fill_rule="evenodd"), rx=2.55)
    doc.path(dot_matrix_d(PLATE_TEXT, 7.2, LAMP[1], 0.9, 0.37), fill_style(CREAM if lit else TAN, rule="nonzero"))
    lx, ly = LAMP
    if lit:
        doc.circle(lx, ly, 2.62, style(fill="url(#%s)" % glow, fill_opacity=1, stroke="none"))
        doc.circle(lx, ly, 1.5, fill_style(CREAM))
        # Part-transparent, so the hot cream core shows through the red.
        doc.circle(lx, ly, 2.0, fill_style(RED, 0.7))
        doc.circle(lx - 0.62, ly - 0.68, 0.48, fill_style(CREAM, 0.538762))
    else:
        doc.circle(lx, ly, 2.0, fill_style(LAMP_DARK))
        doc.circle(lx - 0.62, ly - 0.68, 0.48, fill_style(RED, 0.292607))
    return doc


def tick_d(cx, y0, y1, width):
    return "M %s,%s H %s V %s H %s Z" % (num(cx - width / 2), num(y0), num(cx + width / 2), num(y1), num(cx - width / 2))


def offset_track():
    doc = Document("78.978622", "19.912922", "78.978623", "19.912921")
    doc.rect(0, 0, doc.w, doc.h, guide_rect_style(BLACK))
    doc.rect(4.7, 2.2, 69.9, 11.2, fill_style(BLACK, 0))
    bar = fill_style(TAN)
    doc.rect(7.68, 7.43, 39.315 - 7.68, 0.98, bar)
    doc.rect(39.315, 7.43, 70.95 - 39.315, 0.98, bar)
    tick = style(
        fill=TAN, fill_opacity=1, fill_rule="evenodd", stroke="#ffffd2", stroke_width=0.1, stroke_opacity=0.0666667
    )
    for x in (7.40, 39.25, 71.23):
        doc.path(tick_d(x, 4.88, 10.96, 0.56), tick)
    for x in (23.60, 55.02):
        doc.path(tick_d(x, 5.62, 10.16, 0.42), tick)
    digit_height = -bounds(flat(glyph_outlines(LETTERING, "1", 5.0)))[1]
    s = 3.5 / digit_height
    for text, x in (("\u22121", 7.40), ("0", 39.25), ("+1", 71.23)):
        glyphs = glyph_outlines(LETTERING, text, 5.0)
        x0, y0, x1, y1 = bounds(flat(glyphs))
        lettering(doc, place_glyphs(glyphs, s, x - s * (x0 + x1) / 2, 18.7))
    return doc


def offset_handle():
    doc = Document("19.945686", "19.945686")
    scale = 1.1344044
    stops = doc.stops([(0, "#ffffdc", 1), (1, "#df1010", 1)])
    # In the group's own units: the crescent spans x 7.555 to 14.12.
    grad = doc.linear_gradient(stops, 7.555, 7.1, 14.12, 7.1, "matrix(1,0,0,1,0,0)")
    doc.rect(0, 0, doc.w, doc.h, guide_rect_style(BLACK))
    doc.rect(8.57, 1.66, 16.02 - 8.57, 14.47 - 1.66, guide_rect_style(CREAM))
    doc.open_group("moon", "scale(%s)" % scale)
    cx, cy, r = 13.195, 7.103, 5.64
    tip_x = 14.12
    tip_dy = math.sqrt(r * r - (tip_x - cx) ** 2)
    inner_x = 10.25
    # The inner circle passes through both tips and the crescent's inner edge.
    ic = ((tip_x * tip_x + tip_dy * tip_dy) - inner_x * inner_x) / (2 * (tip_x - inner_x))
    ir = ic - inner_x
    top = (tip_x, cy - tip_dy)
    bottom = (tip_x, cy + tip_dy)
    d = "M %s,%s A %s,%s 0 0 0 %s,%s A %s,%s 0 0 0 %s,%s A %s,%s 0 0 1 %s,%s A %s,%s 0 0 1 %s,%s Z" % (
        num(top[0]), num(top[1]),
        num(r), num(r), num(cx - r), num(cy),
        num(r), num(r), num(bottom[0]), num(bottom[1]),
        num(ir), num(ir), num(inner_x), num(cy),
        num(ir), num(ir), num(top[0]), num(top[1]),
    )  # fmt: skip
    doc.path(d, style(fill="url(#%s)" % grad, fill_opacity=1, fill_rule="evenodd", stroke="none"), indent=4)
    doc.close_group()
    return doc


def duration_knob():
    doc = Document("85.361717", "85.361717", "85.361717", "85.361718")
    stops = doc.stops(
        [
            (0, CREAM, 1),
            (0.5, CREAM, 1),
            (0.75, TAN, 1),
            (0.875, "#de6b3e", 1),
            (0.90625, "#dd5932", 1),
            (0.9375, "#dd4827", 1),
            (0.96875, "#dd361c", 1),
            (1, "#dd2511", 1),
        ]
    )
    grad = doc.linear_gradient(stops, 0, 0.62, 0, 77.09, "translate(42.71,0)")
    cx = 42.71
    ro, cyo = 38.23, 39.03
    ri, cyi = 34.63, 42.63
    end_y = 76.9
    dxo = math.sqrt(ro * ro - (end_y - cyo) ** 2)
    dxi = math.sqrt(ri * ri - (end_y - cyi) ** 2)
    ring = "M %s,%s A %s,%s 0 1 1 %s,%s L %s,%s A %s,%s 0 1 0 %s,%s Z" % (
        num(cx - dxo), num(end_y),
        num(ro), num(ro), num(cx + dxo), num(end_y),
        num(cx + dxi), num(end_y),
        num(ri), num(ri), num(cx - dxi), num(end_y),
    )  # fmt: skip
    doc.path(ring, style(fill="url(#%s)" % grad, fill_opacity=1, fill_rule="evenodd", stroke="none"))
    # The dot's path: 270 degrees from the lower left over the top, with round ends.
    ax, ay = 42.71, 42.68
    outer, inner = 29.1, 28.1
    cap = (outer - inner) / 2
    p0 = arc_point(ax, ay, outer, 135)
    p1 = arc_point(ax, ay, outer, 45)
    p2 = arc_point(ax, ay, inner, 45)
    p3 = arc_point(ax, ay, inner, 135)
    arc = "M %s,%s a %s,%s 0 1 1 %s,%s a %s,%s 0 0 1 %s,%s a %s,%s 0 1 0 %s,%s a %s,%s 0 0 1 %s,%s z" % (
        num(p0[0]), num(p0[1]),
        num(outer), num(outer), num(p1[0] - p0[0]), num(p1[1] - p0[1]),
        num(cap), num(cap), num(p2[0] - p1[0]), num(p2[1] - p1[1]),
        num(inner), num(inner), num(p3[0] - p2[0]), num(p3[1] - p2[1]),
        num(cap), num(cap), num(p0[0] - p3[0]), num(p0[1] - p3[1]),
    )  # fmt: skip
    doc.path(arc, fill_style(CREAM))
    doc.rect(0, 0, doc.w, doc.h, guide_rect_style(CREAM))
    return doc


def duration_dot():
    doc = Document("6.5375209", "6.5375862")
    cx, cy = doc.w / 2, doc.h / 2
    stops = doc.stops(
        [(0, CREAM, 1), (0.08902581, CREAM, 1), (0.28161693, TAN, 1), (0.596479, RED, 1), (1, RED, 1)],
        "radialGradient",
    )
    grad = doc.radial_gradient(stops, cx, cy, 3.27, "matrix(1,0,0,1,0,0)")
    doc.circle(cx, cy, 3.2687, style(fill="url(#%s)" % grad, fill_opacity=1, stroke="none"))
    return doc


def version():
    doc = Document("228.07793", "71.119949")
    glyphs = glyph_outlines(FIGURES, "V1.2", 100.0, tracking=-0.02)
    x0, y0, x1, y1 = bounds(flat(glyphs))
    s = min((doc.w - 4.0) / (x1 - x0), (doc.h - 4.0) / (y1 - y0))
    dx = doc.w / 2 - s * (x0 + x1) / 2
    dy = doc.h / 2 - s * (y0 + y1) / 2
    # Outlines stay in type units; the matrix places and scales them.
    doc.path(
        outline_d(flat(glyphs)),
        fill_style(TAN, rule="nonzero"),
        transform="matrix(%s,0,0,%s,%s,%s)" % (num(s), num(s), num(dx), num(dy)),
    )
    return doc


def documents():
    docs = {
        "background": background(),
        "panel": panel(),
        "syncCaption": sync_caption(),
        "mixKnob": mix_knob(),
        "mixCaption": mix_caption(),
        "bypassOff": bypass_plate(True),
        "bypassOn": bypass_plate(False),
        "offsetTrack": offset_track(),
        "offsetHandle": offset_handle(),
        "offsetCaption": offset_caption(),
        "durationCaption": duration_caption(),
        "durationKnob": duration_knob(),
        "durationDot": duration_dot(),
        "version": version(),
    }
    for value in NOTE_VALUES:
        docs["noteSync" + value.replace("/", "_")] = note_sync(value)
    return docs


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "editor", "artwork")
    for name, doc in documents().items():
        with open(os.path.join(out, name + ".svg"), "w", encoding="utf-8", newline="\n") as f:
            f.write(doc.text())


if __name__ == "__main__":
    main()
