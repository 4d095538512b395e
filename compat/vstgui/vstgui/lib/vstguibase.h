// Basic types and the reference counting that every object of the GUI library shares
// (remember/forget, SharedPointer).
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

namespace VSTGUI
{

using CCoord = double;
using UTF8StringPtr = const char*;
using UTF8StringBuffer = char*;
using IdStringPtr = const char*;

enum CMessageResult
{
	kMessageUnknown = 0,
	kMessageNotified = 1
};

class IReference
{
public:
	virtual void remember () = 0;
	virtual void forget () = 0;
};

// Counts references; the object deletes itself when the last one is forgotten. An object starts with one
// reference, owned by whoever created it.
template <typename T> class ReferenceCounted : virtual public IReference
{
public:
	ReferenceCounted () = default;
	virtual ~ReferenceCounted () noexcept = default;

	// A copy is a new object with its own single reference.
	ReferenceCounted (const ReferenceCounted&) {}
	ReferenceCounted& operator= (const ReferenceCounted&) { return *this; }

	virtual void beforeDelete () {}

	void remember () override { ++nbReference; }
	void forget () override
	{
		if (--nbReference == 0)
		{
			beforeDelete ();
			delete this;
		}
	}
	int32_t getNbReference () const { return nbReference; }

private:
	T nbReference{1};
};

using NonAtomicReferenceCounted = ReferenceCounted<int32_t>;
using AtomicReferenceCounted = ReferenceCounted<std::atomic<int32_t>>;

class CBaseObject : public NonAtomicReferenceCounted
{
public:
	CBaseObject () = default;
	~CBaseObject () noexcept override = default;
	CBaseObject (const CBaseObject&) = default;
	CBaseObject& operator= (const CBaseObject&) = default;

	virtual CMessageResult notify (CBaseObject* /*sender*/, IdStringPtr /*message*/) { return kMessageUnknown; }
};

// Holds one counted reference to a GUI object.
template <class I> class SharedPointer
{
public:
	SharedPointer () noexcept = default;
	SharedPointer (I* p, bool remember = true) noexcept : ptr (p)
	{
		if (ptr && remember)
			ptr->remember ();
	}
	SharedPointer (const SharedPointer& other) noexcept : SharedPointer (other.ptr) {}
	template <class T> SharedPointer (const SharedPointer<T>& other) noexcept : SharedPointer (other.get ()) {}
	SharedPointer (SharedPointer&& other) noexcept : ptr (std::exchange (other.ptr, nullptr)) {}
	~SharedPointer () noexcept
	{
		if (ptr)
			ptr->forget ();
	}

	SharedPointer& operator= (I* p) noexcept
	{
		if (p != ptr)
		{
			if (p)
				p->remember ();
			if (ptr)
				ptr->forget ();
			ptr = p;
		}
		return *this;
	}
	SharedPointer& operator= (const SharedPointer& other) noexcept { return *this = other.ptr; }
	SharedPointer& operator= (SharedPointer&& other) noexcept
	{
		if (this != &other)
		{
			if (ptr)
				ptr->forget ();
			ptr = std::exchange (other.ptr, nullptr);
		}
		return *this;
	}

	I* get () const noexcept { return ptr; }
	I* operator->() const noexcept { return ptr; }
	I& operator* () const noexcept { return *ptr; }
	operator I* () const noexcept { return ptr; }
	bool operator== (const SharedPointer& other) const noexcept { return ptr == other.ptr; }
	bool operator== (I* other) const noexcept { return ptr == other; }

	template <class T> T* cast () const { return dynamic_cast<T*> (ptr); }

private:
	I* ptr = nullptr;
};

// Takes over the creator's reference.
template <class I> inline SharedPointer<I> owned (I* p) noexcept
{
	return SharedPointer<I> (p, false);
}

// Adds a reference of its own.
template <class I> inline SharedPointer<I> shared (I* p) noexcept
{
	return SharedPointer<I> (p, true);
}

template <class I, typename... Args> inline SharedPointer<I> makeOwned (Args&&... args)
{
	return SharedPointer<I> (new I (std::forward<Args> (args)...), false);
}

} // namespace VSTGUI

#define vstgui_assert(x, ...) ((void)0)

// The copy protocol of views: newCopy makes a new object of the dynamic type.
#define CLASS_METHODS(name, parent)                                                                                    \
	CView* newCopy () const override                                                                                   \
	{                                                                                                                  \
		return new name (*this);                                                                                       \
	}
#define CLASS_METHODS_NOCOPY(name, parent)                                                                             \
	CView* newCopy () const override                                                                                   \
	{                                                                                                                  \
		return nullptr;                                                                                                \
	}
#define CLASS_METHODS_VIRTUAL(name, parent) CView* newCopy () const override = 0;
