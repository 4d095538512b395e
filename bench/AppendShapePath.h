// The cairo baselines' path building: a parsed shape's outlines as cairo's current path, in the shape's own
// units, so each baseline only sets its matrix and paints.
#pragma once

#include "nanosvg.h"

#include <cairo.h>

/** Replaces cairo's current path with every subpath of `shape` (a start point, then cubic Béziers). */
inline void appendShapePath (cairo_t* cr, const NSVGshape& shape)
{
	cairo_new_path (cr);
	for (const NSVGpath* p = shape.paths; p; p = p->next)
	{
		cairo_move_to (cr, p->pts[0], p->pts[1]);
		for (int i = 1; i + 2 < p->npts; i += 3)
		{
			const float* c = p->pts + 2 * i;
			cairo_curve_to (cr, c[0], c[1], c[2], c[3], c[4], c[5]);
		}
		if (p->closed)
			cairo_close_path (cr);
	}
}
