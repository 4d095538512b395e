// An owning pointer to a COM object: it holds one reference and releases it when it goes.
#pragma once

#include <utility>

namespace VSTGUI
{
namespace COM
{

template <typename T> class Ptr
{
public:
	Ptr () = default;
	// Takes over the reference the caller holds.
	explicit Ptr (T* object) : object (object) {}
	Ptr (const Ptr& other) : object (other.object)
	{
		if (object)
			object->AddRef ();
	}
	Ptr (Ptr&& other) noexcept : object (std::exchange (other.object, nullptr)) {}
	Ptr& operator= (Ptr other) noexcept
	{
		std::swap (object, other.object);
		return *this;
	}
	~Ptr () noexcept { reset (); }

	void reset () noexcept
	{
		if (auto* old = std::exchange (object, nullptr))
			old->Release ();
	}
	// For functions that hand out a new reference through a T** argument.
	T** put () noexcept
	{
		reset ();
		return &object;
	}
	T* get () const noexcept { return object; }
	T* operator->() const noexcept { return object; }
	explicit operator bool () const noexcept { return object != nullptr; }

private:
	T* object{nullptr};
};

} // namespace COM
} // namespace VSTGUI
