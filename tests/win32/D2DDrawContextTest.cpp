#include "vstgui/lib/coffscreencontext.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

TEST (D2DDrawContext, Smoke)
{
	auto context = COffscreenContext::create (CPoint (10, 10));
	ASSERT_TRUE (context);
}
