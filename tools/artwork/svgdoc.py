"""Writes the editor's SVG documents in one fixed form.

Every document starts with the XML declaration (nothing before it, so strict XML readers accept
the file; the build's embedding step adds the leading line break that the embedded constants carry)
and the generator's comment, and its root gives width and height in millimetres with a view box of
the same numbers, so that one user unit is one millimetre. Only path commands M, L, H, V, C, A and Z (either case) are written.
"""

import math

SVG_NS = "http://www.w3.org/2000/svg"
XLINK_NS = "http://www.w3.org/1999/xlink"


def num(v):
    """Shortest decimal with at most four places; never "-0"."""
    text = "%.4f" % v
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def exact(v):
    """A value given by the design (stop offsets, opacities) written as given, not rounded."""
    return "%.10g" % v


def style(**props):
    """A style attribute value; underscores in names become dashes, order is kept."""
    return ";".join("%s:%s" % (k.replace("_", "-"), v) for k, v in props.items())


def _snap(p):
    return (round(p[0], 4), round(p[1], 4))


def outline_d(outline, relative=True):
    """Path data for an outline of ("L", p) / ("C", c1, c2, p) segments; every contour closed."""
    parts = []
    cur = (0.0, 0.0)
    for start, segments in outline:
        start = _snap(start)
        if relative:
            parts.append("m %s,%s" % (num(start[0] - cur[0]), num(start[1] - cur[1])))
        else:
            parts.append("M %s,%s" % (num(start[0]), num(start[1])))
        cur = start
        segs = list(segments)
        # A final line back to the start is implied by the close.
        if segs and segs[-1][0] == "L" and _snap(segs[-1][1]) == start:
            segs = segs[:-1]
        for seg in segs:
            pts = [_snap(p) for p in seg[1:]]
            end = pts[-1]
            if seg[0] == "L":
                if end == cur:
                    continue
                if end[1] == cur[1]:
                    parts.append("h %s" % num(end[0] - cur[0]) if relative else "H %s" % num(end[0]))
                elif end[0] == cur[0]:
                    parts.append("v %s" % num(end[1] - cur[1]) if relative else "V %s" % num(end[1]))
                elif relative:
                    parts.append("l %s,%s" % (num(end[0] - cur[0]), num(end[1] - cur[1])))
                else:
                    parts.append("L %s,%s" % (num(end[0]), num(end[1])))
            else:
                if relative:
                    parts.append(
                        "c " + " ".join("%s,%s" % (num(p[0] - cur[0]), num(p[1] - cur[1])) for p in pts)
                    )
                else:
                    parts.append("C " + " ".join("%s,%s" % (num(p[0]), num(p[1])) for p in pts))
            cur = end
        parts.append("z" if relative else "Z")
        cur = start
    return " ".join(parts)


def circle_d(cx, cy, r, clockwise=True):
    """A circle as two relative half-circle arcs, starting at its leftmost point."""
    sweep = 1 if clockwise else 0
    return "M %s,%s a %s,%s 0 1 %d %s,0 a %s,%s 0 1 %d %s,0 Z" % (
        num(cx - r),
        num(cy),
        num(r),
        num(r),
        sweep,
        num(2 * r),
        num(r),
        num(r),
        sweep,
        num(-2 * r),
    )


def rounded_rect_d(x0, y0, x1, y1, r, clockwise=True, relative=False):
    """A rounded rectangle outline with quarter-circle arcs; clockwise on screen (y down) or not."""
    r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
    if clockwise:
        pts = [
            ("M", x0 + r, y0),
            ("H", x1 - r),
            ("A", x1, y0 + r),
            ("V", y1 - r),
            ("A", x1 - r, y1),
            ("H", x0 + r),
            ("A", x0, y1 - r),
            ("V", y0 + r),
            ("A", x0 + r, y0),
        ]
        sweep = 1
    else:
        pts = [
            ("M", x0 + r, y0),
            ("A", x0, y0 + r),
            ("V", y1 - r),
            ("A", x0 + r, y1),
            ("H", x1 - r),
            ("A", x1, y1 - r),
            ("V", y0 + r),
            ("A", x1 - r, y0),
            ("H", x0 + r),
        ]
        sweep = 0
    out = []
    cx, cy = 0.0, 0.0
    for item in pts:
        op = item[0]
        if op == "M":
            x, y = item[1], item[2]
            out.append("M %s,%s" % (num(x), num(y)))
        elif op == "H":
            x, y = item[1], cy
            out.append(("h %s" % num(x - cx)) if relative else ("H %s" % num(x)))
        elif op == "V":
            x, y = cx, item[1]
            out.append(("v %s" % num(y - cy)) if relative else ("V %s" % num(y)))
        else:
            x, y = item[1], item[2]
            if relative:
                out.append("a %s,%s 0 0 %d %s,%s" % (num(r), num(r), sweep, num(x - cx), num(y - cy)))
            else:
                out.append("A %s,%s 0 0 %d %s,%s" % (num(r), num(r), sweep, num(x), num(y)))
        cx, cy = x, y
    out.append("Z")
    return " ".join(out)


def arc_point(cx, cy, r, degrees):
    """Point on a circle; angles clockwise on screen from the positive x axis."""
    a = math.radians(degrees)
    return cx + r * math.cos(a), cy + r * math.sin(a)


class Document:
    """One SVG document: gradient definitions first, then the drawing in painting order."""

    def __init__(self, width, height, view_width=None, view_height=None):
        """Sizes as the decimal strings to write; w and h are the view box as numbers."""
        self.width = width
        self.height = height
        self.view_width = view_width if view_width is not None else width
        self.view_height = view_height if view_height is not None else height
        self.w = float(self.view_width)
        self.h = float(self.view_height)
        self.defs = []
        self.body = []
        self.uses_xlink = False
        self._ids = {}

    def new_id(self, prefix):
        n = self._ids.get(prefix, 0) + 1
        self._ids[prefix] = n
        return "%s%d" % (prefix, n)

    def stops(self, stops, kind="linearGradient"):
        """A gradient that only holds stops, for others to refer to; stops are (offset, colour, opacity)."""
        gid = self.new_id("stops")
        lines = ['    <%s id="%s">' % (kind, gid)]
        for offset, colour, opacity in stops:
            lines.append(
                '      <stop style="%s" offset="%s" id="%s" />'
                % (style(stop_color=colour, stop_opacity=exact(opacity)), exact(offset), self.new_id("stop"))
            )
        lines.append("    </%s>" % kind)
        self.defs.append("\n".join(lines))
        return gid

    def linear_gradient(self, stops_id, x1, y1, x2, y2, transform="translate(0,0)"):
        self.uses_xlink = True
        gid = self.new_id("linearGradient")
        self.defs.append(
            '    <linearGradient xlink:href="#%s" id="%s" gradientUnits="userSpaceOnUse" '
            'x1="%s" y1="%s" x2="%s" y2="%s" gradientTransform="%s" />'
            % (stops_id, gid, num(x1), num(y1), num(x2), num(y2), transform)
        )
        return gid

    def radial_gradient(self, stops_id, cx, cy, r, transform="translate(0,0)", spread=None):
        self.uses_xlink = True
        gid = self.new_id("radialGradient")
        spread_attr = ' spreadMethod="%s"' % spread if spread else ""
        self.defs.append(
            '    <radialGradient xlink:href="#%s" id="%s" gradientUnits="userSpaceOnUse" '
            'cx="%s" cy="%s" fx="%s" fy="%s" r="%s" gradientTransform="%s"%s />'
            % (stops_id, gid, num(cx), num(cy), num(cx), num(cy), num(r), transform, spread_attr)
        )
        return gid

    def add(self, text, indent=2):
        self.body.append(" " * indent + text)

    def path(self, d, st, indent=2, transform=None, pid=None):
        t = ' transform="%s"' % transform if transform else ""
        self.add('<path style="%s" d="%s" id="%s"%s />' % (st, d, pid or self.new_id("path"), t), indent)

    def rect(self, x, y, w, h, st, indent=2, rx=None, transform=None):
        r = ' rx="%s" ry="%s"' % (num(rx), num(rx)) if rx else ""
        t = ' transform="%s"' % transform if transform else ""
        self.add(
            '<rect style="%s" id="%s" width="%s" height="%s" x="%s" y="%s"%s%s />'
            % (st, self.new_id("rect"), num(w), num(h), num(x), num(y), r, t),
            indent,
        )

    def circle(self, cx, cy, r, st, indent=2):
        self.add(
            '<circle style="%s" id="%s" cx="%s" cy="%s" r="%s" />' % (st, self.new_id("circle"), num(cx), num(cy), num(r)),
            indent,
        )

    def open_group(self, gid, transform=None, indent=2):
        t = ' transform="%s"' % transform if transform else ""
        self.add('<g id="%s"%s>' % (gid, t), indent)

    def close_group(self, indent=2):
        self.add("</g>", indent)

    def text(self):
        ns = '   xmlns="%s"' % SVG_NS
        if self.uses_xlink:
            ns += '\n   xmlns:xlink="%s"' % XLINK_NS
        head = (
            '<?xml version="1.0" encoding="UTF-8" standalone="no"?>\n'
            "<!-- Created with the Kelvanor artwork generator (tools/artwork/generate.py) -->\n\n"
            "<svg\n"
            '   width="%smm"\n'
            '   height="%smm"\n'
            '   viewBox="0 0 %s %s"\n'
            '   version="1.1"\n'
            '   id="svg1"\n'
            "%s>\n" % (self.width, self.height, self.view_width, self.view_height, ns)
        )
        defs = '  <defs id="defs1">\n%s\n  </defs>\n' % "\n".join(self.defs) if self.defs else '  <defs id="defs1" />\n'
        return head + defs + "\n".join(self.body) + "\n</svg>\n"
