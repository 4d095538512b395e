// Compares rectangles edge by edge within a tolerance, printing the actual rectangle on failure.
#pragma once

#include "vstgui/lib/crect.h"

#include <gtest/gtest.h>

#include <cmath>

inline ::testing::AssertionResult rectNear (const VSTGUI::CRect& a, const VSTGUI::CRect& b, double tolerance)
{
	if (std::fabs (a.left - b.left) <= tolerance && std::fabs (a.top - b.top) <= tolerance &&
	    std::fabs (a.right - b.right) <= tolerance && std::fabs (a.bottom - b.bottom) <= tolerance)
		return ::testing::AssertionSuccess ();
	return ::testing::AssertionFailure ()
	       << "(" << a.left << ", " << a.top << ", " << a.right << ", " << a.bottom << ")";
}
