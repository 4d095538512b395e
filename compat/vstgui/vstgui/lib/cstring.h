// UTF8String: the GUI library's owned UTF-8 text.
#pragma once

#include "vstguibase.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace VSTGUI
{

class UTF8String
{
public:
	using StringType = std::string;
	using SizeType = StringType::size_type;

	UTF8String (UTF8StringPtr str = nullptr) : string (str ? str : "") {}
	UTF8String (const UTF8String& other) = default;
	UTF8String (UTF8String&& other) noexcept = default;
	explicit UTF8String (const StringType& str) : string (str) {}
	UTF8String (StringType&& str) noexcept : string (std::move (str)) {}

	UTF8String& operator= (const UTF8String& other) = default;
	UTF8String& operator= (UTF8String&& other) noexcept = default;
	UTF8String& operator= (const StringType& other)
	{
		string = other;
		return *this;
	}
	UTF8String& operator= (StringType&& other)
	{
		string = std::move (other);
		return *this;
	}
	UTF8String& operator= (UTF8StringPtr other)
	{
		string = other ? other : "";
		return *this;
	}

	SizeType length () const noexcept { return string.length (); }
	bool empty () const noexcept { return string.empty (); }
	void clear () noexcept { string.clear (); }
	void assign (UTF8StringPtr str) { string = str ? str : ""; }
	void copy (UTF8StringBuffer dst, SizeType dstSize) const noexcept
	{
		if (dstSize == 0)
			return;
		auto count = std::min (dstSize - 1, string.size ());
		std::memcpy (dst, string.data (), count);
		dst[count] = 0;
	}

	UTF8String& operator+= (const UTF8String& other)
	{
		string += other.string;
		return *this;
	}
	UTF8String& operator+= (StringType::value_type ch)
	{
		string += ch;
		return *this;
	}
	UTF8String& operator+= (const StringType::value_type* other)
	{
		if (other)
			string += other;
		return *this;
	}
	UTF8String operator+ (const UTF8String& other) { return UTF8String (*this) += other; }
	UTF8String operator+ (StringType::value_type ch) { return UTF8String (*this) += ch; }
	UTF8String operator+ (const StringType::value_type* other) { return UTF8String (*this) += other; }

	bool operator== (UTF8StringPtr str) const noexcept { return string == (str ? str : ""); }
	bool operator!= (UTF8StringPtr str) const noexcept { return !(*this == str); }
	bool operator== (const UTF8String& str) const noexcept { return string == str.string; }
	bool operator!= (const UTF8String& str) const noexcept { return string != str.string; }
	bool operator== (const StringType& str) const noexcept { return string == str; }
	bool operator!= (const StringType& str) const noexcept { return string != str; }

	UTF8StringPtr data () const noexcept { return string.data (); }
	operator UTF8StringPtr () const noexcept { return data (); }
	const StringType& getString () const noexcept { return string; }

	explicit operator bool () const = delete;

private:
	StringType string;
};

inline bool operator== (const UTF8String::StringType& lhs, const UTF8String& rhs) noexcept
{
	return lhs == rhs.getString ();
}
inline bool operator!= (const UTF8String::StringType& lhs, const UTF8String& rhs) noexcept
{
	return lhs != rhs.getString ();
}
inline UTF8String operator+ (UTF8StringPtr lhs, const UTF8String& rhs)
{
	return UTF8String (lhs) += rhs;
}

template <typename T> inline UTF8String toString (const T& value)
{
	return UTF8String (std::to_string (value));
}

} // namespace VSTGUI
