// Shared by the X11 tests: the display they need (they fail without one unless QUORVANE_ALLOW_NO_DISPLAY=1 lets
// them skip), the GUI library started once, the test view in a host window, and synthetic input through XTest.
#pragma once

#include "TestEditorView.h"

#include "host/ComponentHandler.h"
#include "host/PlugViewHost.h"

#include <gtest/gtest.h>

struct xcb_connection_t;

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace QuorvaneTest
{

/** Call first in every test that opens a window: "" when the display is there, else why not. */
std::string displayProblem ();

#define QUORVANE_REQUIRE_DISPLAY()                                                                                     \
	do                                                                                                                 \
	{                                                                                                                  \
		const std::string problem = QuorvaneTest::displayProblem ();                                                   \
		if (!problem.empty ())                                                                                         \
		{                                                                                                              \
			if (QuorvaneTest::mayRunWithoutDisplay ())                                                                 \
				GTEST_SKIP () << problem;                                                                              \
			FAIL () << problem << " (set QUORVANE_ALLOW_NO_DISPLAY=1 to skip these tests)";                            \
		}                                                                                                              \
	} while (false)

bool mayRunWithoutDisplay ();

/** The test view in a host window, with the handler that records its edits. */
struct ShownTestView
{
	Steinberg::IPtr<QuorvaneHost::ComponentHandler> handler;
	Steinberg::IPtr<TestEditorView> view;
	std::unique_ptr<QuorvaneHost::PlugViewHost> host;

	/** The recorded calls as lines, e.g. "performEdit 42 0.5". */
	std::vector<std::string> calls () const;
};

ShownTestView showTestView (int width, int height, const QuorvaneHost::PlugViewHost::Options& options = {});

/** A PNG file's pixels (0x00RRGGBB); empty (0 x 0) when it cannot be read. */
QuorvaneHost::WindowImage readPng (const std::string& path);

/** Settles the view and reads the window back; fails the test when the server refuses. */
QuorvaneHost::WindowImage screenshot (QuorvaneHost::PlugViewHost& host);

/** Synthetic input as the server's own (XTest): the pointer moves to a point of the host window. */
class SyntheticInput
{
public:
	/** Input for `window`; `settle` runs after each step, to let the receiver handle it. */
	SyntheticInput (xcb_connection_t* xcb, uint32_t window, std::function<void ()> settle);
	/** Input for the host's window, settled by running the host's loop. */
	explicit SyntheticInput (QuorvaneHost::PlugViewHost& host);
	void moveTo (int x, int y);
	void button (int button, bool press);
	void click (int x, int y, int button = 1);
	/** Presses and releases the key that gives `keysym` in the server's keymap. */
	void key (uint32_t keysym);

private:
	void flush ();
	xcb_connection_t* xcb;
	std::function<void ()> settle;
	int originX{0};
	int originY{0};
};

} // namespace QuorvaneTest
