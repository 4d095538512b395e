// File names as the host library takes and gives them: UTF-8 text on every platform. std::filesystem reads a
// narrow string in the system's ANSI code page on Windows, so every path built from text goes through here.
#pragma once

#include <filesystem>
#include <string>

namespace QuorvaneHost
{

inline std::filesystem::path pathFromUtf8 (const std::string& text)
{
	return std::filesystem::path (std::u8string (text.begin (), text.end ()));
}

inline std::string utf8FromPath (const std::filesystem::path& path)
{
	const std::u8string text = path.u8string ();
	return std::string (text.begin (), text.end ());
}

} // namespace QuorvaneHost
