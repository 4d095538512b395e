#include "host/WindowScreenshot.h"

#include <cairo.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace QuorvaneHost
{

namespace
{

struct FreeDeleter
{
	void operator() (void* pointer) const { std::free (pointer); }
};

} // namespace

bool captureWindow (xcb_connection_t* xcb, uint32_t window, WindowImage& image, std::string& error)
{
	std::unique_ptr<xcb_get_geometry_reply_t, FreeDeleter> geometry (
	    xcb_get_geometry_reply (xcb, xcb_get_geometry (xcb, window), nullptr));
	if (!geometry)
	{
		error = "the window is gone";
		return false;
	}
	xcb_generic_error_t* failure = nullptr;
	std::unique_ptr<xcb_get_image_reply_t, FreeDeleter> reply (xcb_get_image_reply (
	    xcb, xcb_get_image (xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width, geometry->height, ~0u),
	    &failure));
	if (!reply)
	{
		std::free (failure);
		error = "the X server refused to read the window (is it mapped and on screen?)";
		return false;
	}
	const size_t count = static_cast<size_t> (geometry->width) * geometry->height;
	const bool littleEndianServer = xcb_get_setup (xcb)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
	if (reply->depth != 24 || !littleEndianServer ||
	    static_cast<size_t> (xcb_get_image_data_length (reply.get ())) != count * 4)
	{
		error = "the window's pixel format (depth " + std::to_string (reply->depth) + ") is not 24-bit true colour";
		return false;
	}
	image.width = geometry->width;
	image.height = geometry->height;
	image.pixels.resize (count);
	// Z-pixmap rows of 32-bit pixels need no padding, and a little-endian server's byte order is this
	// (little-endian) machine's.
	std::memcpy (image.pixels.data (), xcb_get_image_data (reply.get ()), count * 4);
	for (auto& pixel : image.pixels)
		pixel &= 0xffffffu;
	return true;
}

bool writePng (const WindowImage& image, const std::string& path, std::string& error)
{
	const int stride = cairo_format_stride_for_width (CAIRO_FORMAT_RGB24, image.width);
	if (stride != image.width * 4 || image.pixels.size () != static_cast<size_t> (image.width) * image.height)
	{
		error = "the image has no pixels to write";
		return false;
	}
	cairo_surface_t* surface = cairo_image_surface_create_for_data (
	    reinterpret_cast<unsigned char*> (const_cast<uint32_t*> (image.pixels.data ())), CAIRO_FORMAT_RGB24,
	    image.width, image.height, stride);
	const cairo_status_t status = cairo_surface_write_to_png (surface, path.c_str ());
	cairo_surface_destroy (surface);
	if (status != CAIRO_STATUS_SUCCESS)
	{
		error = "cannot write '" + path + "': " + cairo_status_to_string (status);
		return false;
	}
	return true;
}

} // namespace QuorvaneHost
