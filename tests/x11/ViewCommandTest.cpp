// `quorvane view` run as a user runs it: the screenshot of the module's editor (or, while the module has none,
// the message saying so), the private X server it starts without a display, and bad command lines.

#include "X11TestSupport.h"

#include "host/PluginInstance.h"
#include "tests/host/HostTestSupport.h"

#include <cairo.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/wait.h>

namespace
{

struct ViewRun
{
	int status{-1};
	std::string output;
};

/** Runs the tool with `environment` prefixed (e.g. "env -u DISPLAY"), stdout and stderr together. */
ViewRun runView (const std::string& arguments, const std::string& environment = "")
{
	const std::string log = std::string (QUORVANE_TEST_VIEW_PNG) + ".log";
	const std::string command = environment + " '" + QUORVANE_CLI_PATH + "' view --bundle '" + QUORVANE_MODULE_PATH +
	                            "' " + arguments + " > '" + log + "' 2>&1";
	ViewRun run;
	const int status = std::system (command.c_str ());
	run.status = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
	std::ifstream in (log);
	run.output.assign (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ());
	return run;
}

/** The size of the module's editor view as created, or nothing when the controller creates none. */
std::optional<std::pair<int, int>> editorSize ()
{
	auto module = QuorvaneTest::loadModule ();
	if (!module)
		return std::nullopt;
	auto instance = QuorvaneTest::createPair (module);
	if (!instance || !instance->controller ())
		return std::nullopt;
	Steinberg::IPtr<Steinberg::IPlugView> view =
	    Steinberg::owned (instance->controller ()->createView (Steinberg::Vst::ViewType::kEditor));
	if (!view)
		return std::nullopt;
	Steinberg::ViewRect size;
	view->getSize (&size);
	return std::make_pair (size.getWidth (), size.getHeight ());
}

} // namespace

TEST (X11ViewCommand, ScreenshotOfTheEditorOrWhyThereIsNone)
{
	QUORVANE_REQUIRE_DISPLAY ();
	const std::string png = std::string (QUORVANE_TEST_VIEW_PNG) + ".editor.png";
	std::remove (png.c_str ());
	const auto size = editorSize ();
	const ViewRun run = runView ("--png '" + png + "'");
	if (!size)
	{
		EXPECT_EQ (run.status, 1) << run.output;
		EXPECT_NE (run.output.find ("the module has no editor"), std::string::npos) << run.output;
		return;
	}
	ASSERT_EQ (run.status, 0) << run.output;
	cairo_surface_t* image = cairo_image_surface_create_from_png (png.c_str ());
	ASSERT_EQ (cairo_surface_status (image), CAIRO_STATUS_SUCCESS);
	EXPECT_EQ (cairo_image_surface_get_width (image), size->first);
	EXPECT_EQ (cairo_image_surface_get_height (image), size->second);
	cairo_surface_destroy (image);
}

TEST (X11ViewCommand, WithoutADisplayStartsAPrivateXServerOnlyForAScreenshot)
{
	const ViewRun window = runView ("", "env -u DISPLAY");
	EXPECT_EQ (window.status, 1);
	EXPECT_NE (window.output.find ("no X display ($DISPLAY is not set): the window needs a desktop"), std::string::npos)
	    << window.output;

	const std::string png = std::string (QUORVANE_TEST_VIEW_PNG) + ".private.png";
	const ViewRun shot = runView ("--png '" + png + "'", "env -u DISPLAY");
	EXPECT_NE (shot.output.find ("using a private Xvfb on :"), std::string::npos) << shot.output;
}

TEST (X11ViewCommand, RefusesBadSizesAndScales)
{
	for (const char* arguments : {"--size 0x100", "--size 200", "--size 20.5x30", "--scale 9", "--scale x", "extra"})
	{
		const ViewRun run = runView (arguments);
		EXPECT_EQ (run.status, 2) << arguments << "\n" << run.output;
	}
}
