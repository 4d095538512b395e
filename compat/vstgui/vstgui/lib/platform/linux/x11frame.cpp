// The X11 platform frame: a child window of the host's window on a connection of its own. Views draw into a
// server-side back buffer of the window's size, and only the invalid region is drawn and then copied to the
// window, so the window never shows a half-drawn state and the server never clears it (no flicker). Events
// come from the host's run loop: the connection's descriptor as an event handler, and a timer that polls the
// connection as well, for hosts that never report the descriptor.
#include "x11frame.h"

#include "../../cstring.h"
#include "../../events.h"
#include "../common/clickcounter.h"
#include "../iplatformfactory.h"
#include "cairocontext.h"
#include "x11cursors.h"
#include "x11keyboard.h"
#include "x11platform.h"
#include "x11tooltip.h"

#include <cairo-xcb.h>
#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace VSTGUI
{
namespace X11
{
namespace
{

// How often the connection is polled and the invalid region painted when no descriptor event comes.
constexpr uint64_t pollIntervalMs = 16;
// More invalid rectangles than this are merged into their bounding box: one big copy beats many small ones.
constexpr size_t maxInvalidRects = 16;
// XEmbed protocol version 0, flag XEMBED_MAPPED.
constexpr uint32_t xembedInfo[] = {0, 1};

struct FreeDeleter
{
	void operator() (void* pointer) const { std::free (pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t internAtom (xcb_connection_t* xcb, const char* name)
{
	Reply<xcb_intern_atom_reply_t> reply (xcb_intern_atom_reply (
	    xcb, xcb_intern_atom (xcb, 0, static_cast<uint16_t> (std::strlen (name)), name), nullptr));
	return reply ? reply->atom : xcb_atom_t (XCB_ATOM_NONE);
}

xcb_visualtype_t* findVisual (xcb_screen_t* screen, xcb_visualid_t id)
{
	for (auto depths = xcb_screen_allowed_depths_iterator (screen); depths.rem; xcb_depth_next (&depths))
		for (auto visuals = xcb_depth_visuals_iterator (depths.data); visuals.rem; xcb_visualtype_next (&visuals))
			if (visuals.data->visual_id == id)
				return visuals.data;
	return nullptr;
}

MouseButton buttonFromDetail (uint8_t detail)
{
	switch (detail)
	{
	case 1:
		return MouseButton::Left;
	case 2:
		return MouseButton::Middle;
	case 3:
		return MouseButton::Right;
	case 8:
		return MouseButton::Fourth;
	case 9:
		return MouseButton::Fifth;
	default:
		return MouseButton::None;
	}
}

MouseEventButtonState buttonsFromState (uint16_t state)
{
	MouseEventButtonState buttons;
	if (state & XCB_BUTTON_MASK_1)
		buttons.add (MouseButton::Left);
	if (state & XCB_BUTTON_MASK_2)
		buttons.add (MouseButton::Middle);
	if (state & XCB_BUTTON_MASK_3)
		buttons.add (MouseButton::Right);
	return buttons;
}

class Frame final : public IPlatformFrame, public IEventHandler, public ITimerHandler
{
public:
	Frame (IPlatformFrameCallback* callback, const CRect& size, xcb_window_t parent, SharedPointer<IRunLoop> runLoop)
	    : IPlatformFrame (callback), size (size), loop (std::move (runLoop))
	{
		// The frame's run loop serves the library's timers too while the frame exists.
		RunLoop::init (loop);
		createWindow (parent);
	}

	~Frame () noexcept override
	{
		detachFromRunLoop ();
		RunLoop::exit ();
		tooltip.reset ();
		cursors.reset ();
		keyboard.reset ();
		// cairo keeps a device per xcb connection; it must be finished before the connection goes, or a later
		// connection at the same address would be taken for this one.
		cairo_device_t* device =
		    windowSurface ? cairo_device_reference (cairo_surface_get_device (windowSurface)) : nullptr;
		if (backBuffer)
			cairo_surface_destroy (backBuffer);
		if (windowSurface)
			cairo_surface_destroy (windowSurface);
		if (device)
		{
			cairo_device_finish (device);
			cairo_device_destroy (device);
		}
		if (xcb)
		{
			if (window)
				xcb_destroy_window (xcb, window);
			xcb_flush (xcb);
			xcb_disconnect (xcb);
		}
	}

	bool valid () const { return window != 0 && registered; }

	//---IPlatformFrame---
	bool getGlobalPosition (CPoint& pos) const override
	{
		Reply<xcb_translate_coordinates_reply_t> reply (xcb_translate_coordinates_reply (
		    xcb, xcb_translate_coordinates (xcb, window, screen->root, 0, 0), nullptr));
		if (!reply)
			return false;
		pos = CPoint (reply->dst_x, reply->dst_y);
		return true;
	}

	bool setSize (const CRect& newSize) override
	{
		size = newSize;
		const uint32_t values[] = {static_cast<uint32_t> (std::lround (newSize.left)),
		                           static_cast<uint32_t> (std::lround (newSize.top)), pixelWidth (), pixelHeight ()};
		xcb_configure_window (
		    xcb, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
		    values);
		cairo_xcb_surface_set_size (windowSurface, static_cast<int> (pixelWidth ()), static_cast<int> (pixelHeight ()));
		// The old back buffer has the wrong size; the whole window is drawn anew into a fresh one.
		if (backBuffer)
			cairo_surface_destroy (backBuffer);
		backBuffer = nullptr;
		invalid.clear ();
		invalidRect (CRect (0, 0, size.getWidth (), size.getHeight ()));
		xcb_flush (xcb);
		return true;
	}

	bool getSize (CRect& result) const override
	{
		result = size;
		return true;
	}

	bool getCurrentMousePosition (CPoint& mousePosition) const override
	{
		Reply<xcb_query_pointer_reply_t> reply (
		    xcb_query_pointer_reply (xcb, xcb_query_pointer (xcb, window), nullptr));
		if (!reply)
			return false;
		mousePosition = CPoint (reply->win_x, reply->win_y);
		return true;
	}

	bool getCurrentMouseButtons (CButtonState& buttons) const override
	{
		Reply<xcb_query_pointer_reply_t> reply (
		    xcb_query_pointer_reply (xcb, xcb_query_pointer (xcb, window), nullptr));
		if (!reply)
			return false;
		int32_t state = 0;
		if (reply->mask & XCB_BUTTON_MASK_1)
			state |= kLButton;
		if (reply->mask & XCB_BUTTON_MASK_2)
			state |= kMButton;
		if (reply->mask & XCB_BUTTON_MASK_3)
			state |= kRButton;
		buttons = CButtonState (state | buttonStateFromEventModifiers (Keyboard::modifiersFromState (reply->mask)));
		return true;
	}

	bool getCurrentModifiers (Modifiers& modifiers) const override
	{
		Reply<xcb_query_pointer_reply_t> reply (
		    xcb_query_pointer_reply (xcb, xcb_query_pointer (xcb, window), nullptr));
		if (!reply)
			return false;
		modifiers = Keyboard::modifiersFromState (reply->mask);
		return true;
	}

	bool setMouseCursor (CCursorType type) override
	{
		const uint32_t cursor = cursors->get (type);
		xcb_change_window_attributes (xcb, window, XCB_CW_CURSOR, &cursor);
		xcb_flush (xcb);
		return true;
	}

	bool invalidRect (const CRect& rect) override
	{
		CRect dirty (rect);
		dirty.bound (CRect (0, 0, size.getWidth (), size.getHeight ()));
		if (dirty.isEmpty ())
			return true;
		dirty.makeIntegral ();
		addToRegion (dirty);
		return true;
	}

	bool showTooltip (const CRect& rect, const char* utf8Text) override
	{
		CPoint origin;
		CPoint mouse;
		if (!getGlobalPosition (origin) || !getCurrentMousePosition (mouse))
			return false;
		// Below the pointer, clear of the cursor image.
		tooltip->show (utf8Text ? utf8Text : "", static_cast<int> (origin.x + mouse.x),
		               static_cast<int> (origin.y + mouse.y + 20));
		return true;
	}

	bool hideTooltip () override
	{
		tooltip->hide ();
		return true;
	}

	void* getPlatformRepresentation () const override
	{
		return reinterpret_cast<void*> (static_cast<uintptr_t> (window));
	}
	PlatformType getPlatformType () const override { return PlatformType::kX11EmbedWindowID; }
	// One device pixel per view unit: the host scales the editor through the window size it gives it, so
	// no screen resolution enters the drawing.
	double getScaleFactor () const override { return 1.; }

	void onFrameClosed () override
	{
		frame = nullptr;
		tooltip->hide ();
		detachFromRunLoop ();
	}

	//---IEventHandler, ITimerHandler---
	void onEvent () override { pump (); }
	void onTimer () override { pump (); }

private:
	uint32_t pixelWidth () const { return static_cast<uint32_t> (std::max (1l, std::lround (size.getWidth ()))); }
	uint32_t pixelHeight () const { return static_cast<uint32_t> (std::max (1l, std::lround (size.getHeight ()))); }

	void createWindow (xcb_window_t parent)
	{
		int screenNumber = 0;
		xcb = xcb_connect (nullptr, &screenNumber);
		if (xcb_connection_has_error (xcb))
			return;
		auto screens = xcb_setup_roots_iterator (xcb_get_setup (xcb));
		for (int i = 0; i < screenNumber && screens.rem; ++i)
			xcb_screen_next (&screens);
		screen = screens.data;

		// The child takes the parent's depth and visual (the server requires the same depth for an
		// InputOutput child without a colormap of its own).
		Reply<xcb_get_window_attributes_reply_t> attributes (
		    xcb_get_window_attributes_reply (xcb, xcb_get_window_attributes (xcb, parent), nullptr));
		if (!attributes)
			return;
		visual = findVisual (screen, attributes->visual);
		if (!visual)
			return;

		window = xcb_generate_id (xcb);
		const uint32_t mask = XCB_CW_BACK_PIXMAP | XCB_CW_BIT_GRAVITY | XCB_CW_EVENT_MASK;
		const uint32_t values[] = {XCB_BACK_PIXMAP_NONE, XCB_GRAVITY_NORTH_WEST,
		                           XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
		                               XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
		                               XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW |
		                               XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
		                               XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
		const xcb_void_cookie_t created = xcb_create_window_checked (
		    xcb, XCB_COPY_FROM_PARENT, window, parent, static_cast<int16_t> (std::lround (size.left)),
		    static_cast<int16_t> (std::lround (size.top)), static_cast<uint16_t> (pixelWidth ()),
		    static_cast<uint16_t> (pixelHeight ()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, attributes->visual, mask, values);
		if (xcb_generic_error_t* error = xcb_request_check (xcb, created))
		{
			std::free (error);
			window = 0;
			return;
		}
		const xcb_atom_t xembed = internAtom (xcb, "_XEMBED_INFO");
		xcb_change_property (xcb, XCB_PROP_MODE_REPLACE, window, xembed, xembed, 32, 2, xembedInfo);
		windowSurface = cairo_xcb_surface_create (xcb, window, visual, static_cast<int> (pixelWidth ()),
		                                          static_cast<int> (pixelHeight ()));
		keyboard = std::make_unique<Keyboard> (xcb);
		cursors = std::make_unique<Cursors> (xcb, screen);
		tooltip = std::make_unique<Tooltip> (xcb, screen, findVisual (screen, screen->root_visual));
		xcb_map_window (xcb, window);
		xcb_flush (xcb);

		if (loop)
		{
			registered = loop->registerEventHandler (xcb_get_file_descriptor (xcb), this);
			registered = loop->registerTimer (pollIntervalMs, this) && registered;
		}
	}

	void detachFromRunLoop ()
	{
		if (!registered || !loop)
			return;
		registered = false;
		// The real library's frame drops its redraw timer with its implementation and leaves the run loop, whose
		// event handler goes last; hosts see that order.
		loop->unregisterTimer (this);
		loop->unregisterEventHandler (this);
	}

	void addToRegion (CRect dirty)
	{
		// Swallow every rectangle the new one touches, until it touches none: the region stays a set of
		// disjoint rectangles, each drawn once.
		for (bool merged = true; merged;)
		{
			merged = false;
			for (auto it = invalid.begin (); it != invalid.end (); ++it)
				if (it->rectOverlap (dirty))
				{
					dirty.unite (*it);
					invalid.erase (it);
					merged = true;
					break;
				}
		}
		invalid.push_back (dirty);
		if (invalid.size () > maxInvalidRects)
		{
			CRect all = invalid.front ();
			for (const auto& rect : invalid)
				all.unite (rect);
			invalid.assign (1, all);
		}
	}

	// Handles every waiting event, then draws what has become invalid. Views may close the frame from inside
	// an event: the frame then stops at once, kept alive until this call returns.
	void pump ()
	{
		SharedPointer<Frame> self (this);
		if (!xcb || xcb_connection_has_error (xcb))
			return;
		while (frame)
		{
			xcb_generic_event_t* event = xcb_poll_for_event (xcb);
			if (!event)
				break;
			handle (*event);
			std::free (event);
		}
		paint ();
		xcb_flush (xcb);
	}

	uint64_t now () const { return getPlatformFactory ().getTicks (); }

	template <typename XEvent> void fillPosition (MousePositionEvent& event, const XEvent& x)
	{
		event.mousePosition = CPoint (x.event_x, x.event_y);
		event.modifiers = Keyboard::modifiersFromState (x.state);
		event.timestamp = x.time;
	}

	void dispatch (Event& event)
	{
		if (frame)
			frame->platformOnEvent (event);
	}

	void handle (const xcb_generic_event_t& generic)
	{
		switch (generic.response_type & ~0x80)
		{
		case XCB_EXPOSE:
		{
			const auto& expose = reinterpret_cast<const xcb_expose_event_t&> (generic);
			if (tooltip->onExpose (expose.window))
				break;
			// The back buffer holds what the window showed; only a region nobody drew yet needs the views.
			const CRect exposed (expose.x, expose.y, expose.x + expose.width, expose.y + expose.height);
			if (backBuffer)
				exposedRects.push_back (exposed);
			else
				invalidRect (exposed);
			break;
		}
		case XCB_BUTTON_PRESS:
		{
			const auto& press = reinterpret_cast<const xcb_button_press_event_t&> (generic);
			// Keys follow the pointer into the editor, as in any embedded window that takes text.
			xcb_set_input_focus (xcb, XCB_INPUT_FOCUS_PARENT, window, press.time);
			if (press.detail >= 4 && press.detail <= 7)
			{
				MouseWheelEvent wheel;
				fillPosition (wheel, press);
				// Buttons 4 and 5 turn the wheel up and down, 6 and 7 left and right; right counts positive.
				if (press.detail == 4 || press.detail == 5)
					wheel.deltaY = press.detail == 4 ? 1. : -1.;
				else
					wheel.deltaX = press.detail == 7 ? 1. : -1.;
				dispatch (wheel);
				break;
			}
			const MouseButton button = buttonFromDetail (press.detail);
			if (button == MouseButton::None)
				break;
			MouseDownEvent down;
			fillPosition (down, press);
			down.buttonState.set (button);
			down.clickCount = clicks.onMouseDown (down.mousePosition, button, press.time);
			dispatch (down);
			break;
		}
		case XCB_BUTTON_RELEASE:
		{
			const auto& release = reinterpret_cast<const xcb_button_release_event_t&> (generic);
			const MouseButton button = buttonFromDetail (release.detail);
			if (button == MouseButton::None)
				break;
			MouseUpEvent up;
			fillPosition (up, release);
			up.buttonState.set (button);
			dispatch (up);
			break;
		}
		case XCB_MOTION_NOTIFY:
		{
			const auto& motion = reinterpret_cast<const xcb_motion_notify_event_t&> (generic);
			MouseMoveEvent move;
			fillPosition (move, motion);
			move.buttonState = buttonsFromState (motion.state);
			dispatch (move);
			break;
		}
		case XCB_ENTER_NOTIFY:
		case XCB_LEAVE_NOTIFY:
		{
			const auto& crossing = reinterpret_cast<const xcb_enter_notify_event_t&> (generic);
			// Crossings into or out of a child window of ours are no crossing of the editor's border.
			if (crossing.detail == XCB_NOTIFY_DETAIL_INFERIOR)
				break;
			if ((generic.response_type & ~0x80) == XCB_ENTER_NOTIFY)
			{
				MouseEnterEvent enter;
				fillPosition (enter, crossing);
				enter.buttonState = buttonsFromState (crossing.state);
				dispatch (enter);
			}
			else
			{
				MouseExitEvent exit;
				fillPosition (exit, crossing);
				exit.buttonState = buttonsFromState (crossing.state);
				dispatch (exit);
			}
			break;
		}
		case XCB_KEY_PRESS:
		case XCB_KEY_RELEASE:
		{
			const auto& key = reinterpret_cast<const xcb_key_press_event_t&> (generic);
			KeyboardEvent keyEvent ((generic.response_type & ~0x80) == XCB_KEY_PRESS ? EventType::KeyDown
			                                                                         : EventType::KeyUp);
			keyEvent.timestamp = key.time;
			keyboard->translate (key.detail, key.state, keyEvent);
			dispatch (keyEvent);
			break;
		}
		case XCB_FOCUS_IN:
		case XCB_FOCUS_OUT:
		{
			const auto& focus = reinterpret_cast<const xcb_focus_in_event_t&> (generic);
			if (focus.detail == XCB_NOTIFY_DETAIL_POINTER || !frame)
				break;
			frame->platformOnActivate ((generic.response_type & ~0x80) == XCB_FOCUS_IN);
			break;
		}
		default:
			break;
		}
	}

	void paint ()
	{
		if (!windowSurface || (invalid.empty () && exposedRects.empty ()))
			return;
		if (!backBuffer)
		{
			backBuffer =
			    cairo_surface_create_similar (windowSurface, CAIRO_CONTENT_COLOR, static_cast<int> (pixelWidth ()),
			                                  static_cast<int> (pixelHeight ()));
			invalid.clear ();
			invalid.push_back (CRect (0, 0, size.getWidth (), size.getHeight ()));
		}
		std::vector<CRect> copy = std::move (exposedRects);
		exposedRects.clear ();
		if (!invalid.empty () && frame)
		{
			const std::vector<CRect> region = std::move (invalid);
			invalid.clear ();
			auto context = makeOwned<Cairo::Context> (CRect (0, 0, size.getWidth (), size.getHeight ()), backBuffer,
			                                          getScaleFactor ());
			context->beginDraw ();
			for (const CRect& rect : region)
			{
				if (!frame)
					break;
				frame->platformDrawRect (context, rect);
			}
			context->endDraw ();
			copy.insert (copy.end (), region.begin (), region.end ());
		}
		cairo_t* cr = cairo_create (windowSurface);
		for (const CRect& rect : copy)
			cairo_rectangle (cr, rect.left, rect.top, rect.getWidth (), rect.getHeight ());
		cairo_clip (cr);
		cairo_set_operator (cr, CAIRO_OPERATOR_SOURCE);
		cairo_set_source_surface (cr, backBuffer, 0, 0);
		cairo_paint (cr);
		cairo_destroy (cr);
		cairo_surface_flush (windowSurface);
	}

	CRect size;
	SharedPointer<IRunLoop> loop;
	bool registered{false};
	xcb_connection_t* xcb{nullptr};
	xcb_screen_t* screen{nullptr};
	xcb_visualtype_t* visual{nullptr};
	xcb_window_t window{0};
	cairo_surface_t* windowSurface{nullptr};
	cairo_surface_t* backBuffer{nullptr};
	std::vector<CRect> invalid;
	std::vector<CRect> exposedRects;
	std::unique_ptr<Keyboard> keyboard;
	std::unique_ptr<Cursors> cursors;
	std::unique_ptr<Tooltip> tooltip;
	ClickCounter clicks;
};

} // namespace

PlatformFramePtr createX11PlatformFrame (IPlatformFrameCallback* callback, const CRect& size, void* parent,
                                         PlatformType parentType, IPlatformFrameConfig* config)
{
	if (!parent || (parentType != PlatformType::kX11EmbedWindowID && parentType != PlatformType::kDefaultNative))
		return nullptr;
	// Without a run loop no event would ever be read. The real library's frame cannot do without one either
	// (it crashes on the missing connection); this one refuses, so an editor that forgets the configuration
	// fails its tests instead of a host.
	auto* x11Config = dynamic_cast<FrameConfig*> (config);
	if (!x11Config || !x11Config->runLoop)
		return nullptr;
	auto frame = makeOwned<Frame> (callback, size, static_cast<xcb_window_t> (reinterpret_cast<uintptr_t> (parent)),
	                               x11Config->runLoop);
	if (!frame->valid ())
		return nullptr;
	return frame;
}

} // namespace X11
} // namespace VSTGUI
