// x11_test_view_shot OUT.png [WxH]: shows the X11 tests' view in a host window on $DISPLAY, lets it settle and
// writes a screenshot of the window, so the embedding can be checked by eye.

#include "X11TestSupport.h"

#include "vstgui/lib/vstguiinit.h"

#include <cstdio>
#include <iostream>

int main (int argc, char** argv)
{
	if (argc < 2 || argc > 3)
	{
		std::cerr << "usage: x11_test_view_shot OUT.png [WxH]\n";
		return 2;
	}
	int width = 240, height = 160;
	if (argc == 3 && std::sscanf (argv[2], "%dx%d", &width, &height) != 2)
	{
		std::cerr << "x11_test_view_shot: the size must be WxH, not " << argv[2] << "\n";
		return 2;
	}
	const std::string problem = QuorvaneTest::displayProblem ();
	if (!problem.empty ())
	{
		std::cerr << "x11_test_view_shot: " << problem << "\n";
		return 1;
	}
	int status = 0;
	{
		Steinberg::IPtr<QuorvaneTest::TestEditorView> view =
		    Steinberg::owned (new QuorvaneTest::TestEditorView (width, height));
		std::string error;
		auto host = QuorvaneHost::PlugViewHost::open (view, {}, error);
		QuorvaneHost::WindowImage image;
		if (!host)
			status = 1;
		else
		{
			host->settle ();
			if (!host->screenshot (image, error) || !QuorvaneHost::writePng (image, argv[1], error))
				status = 1;
		}
		if (status)
			std::cerr << "x11_test_view_shot: " << error << "\n";
		else
			std::cout << "wrote " << argv[1] << " (" << image.width << "x" << image.height << ")\n";
	}
	VSTGUI::exit ();
	return status;
}
