// Gives any view class T the behaviour of placing itself from a layout record R (ResizeView or
// ResizeViewA) whenever its parent's size changes; containers then place their children in turn.
#pragma once

#include "ResizeView.h"
#include "ResizeViewA.h"

#include "vstgui/lib/cview.h"
#include "vstgui/lib/cviewcontainer.h"

#include <type_traits>
#include <utility>

template <typename T, typename R> struct Resizeable : T, R
{
	/** Builds T with the empty rectangle and the remaining arguments; the view has no size until its
	    parent first reports a size change. */
	template <typename... Args>
	explicit Resizeable (const R& record, Args&&... args)
	    : T (VSTGUI::CRect (0., 0., 0., 0.), std::forward<Args> (args)...), R (record)
	{
	}

	void parentSizeChanged () override
	{
		const VSTGUI::CView* parent = this->getParentView ();
		if (!parent)
			return;
		T::setViewSize (R::place (parent->getViewSize ()), true);
		// Also when the container's own rectangle stayed the same: a child added since the last pass has never
		// been placed.
		if constexpr (std::is_base_of_v<VSTGUI::CViewContainer, T>)
			T::parentSizeChanged ();
	}

protected:
	~Resizeable () noexcept override = default;
};
