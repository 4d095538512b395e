// The host library's edit path without a module: the slots that carry edits to the next block, the
// component handler's record of calls, and the conversion of typed text for the controller.

#include "host/ComponentHandler.h"
#include "host/PendingParameterEdits.h"
#include "host/Utf16.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace QuorvaneHost;

namespace
{

std::vector<std::pair<ParamID, ParamValue>> drained (PendingParameterEdits& edits)
{
	std::vector<std::pair<ParamID, ParamValue>> taken;
	edits.drain ([&taken] (ParamID id, ParamValue value) { taken.emplace_back (id, value); });
	return taken;
}

} // namespace

TEST (HostPendingEdits, LastValuePerParameterOnceInDeclarationOrder)
{
	PendingParameterEdits edits;
	edits.setParameters ({100, 1000, 1005});
	EXPECT_FALSE (edits.hasPending ());
	EXPECT_TRUE (edits.post (1005, 0.5));
	EXPECT_TRUE (edits.post (100, 1.0));
	EXPECT_TRUE (edits.post (1005, 0.25)); // replaces the 0.5 not yet taken
	EXPECT_FALSE (edits.post (1001, 0.5)); // not declared
	EXPECT_TRUE (edits.hasPending ());
	EXPECT_EQ (drained (edits), (std::vector<std::pair<ParamID, ParamValue>>{{100, 1.0}, {1005, 0.25}}));
	EXPECT_FALSE (edits.hasPending ());
	EXPECT_TRUE (drained (edits).empty ()); // taken once only

	// Declaring anew drops what waited.
	edits.post (1000, 0.75);
	edits.setParameters ({1000});
	EXPECT_TRUE (drained (edits).empty ());
	PendingParameterEdits none;
	EXPECT_FALSE (none.post (100, 1.0));
	EXPECT_TRUE (drained (none).empty ());
}

TEST (HostPendingEdits, NoEditIsLostBetweenTwoThreads)
{
	// The writer's last value must be what the reader ends with, however the two interleave.
	PendingParameterEdits edits;
	edits.setParameters ({7});
	constexpr int kPosts = 200000;
	ParamValue lastSeen = -1.0;
	std::thread writer (
	    [&edits]
	    {
		    for (int i = 1; i <= kPosts; ++i)
			    edits.post (7, static_cast<ParamValue> (i));
	    });
	auto take = [&lastSeen] (ParamID, ParamValue value)
	{
		EXPECT_GE (value, lastSeen); // never an older value after a newer one
		lastSeen = value;
	};
	while (lastSeen < kPosts)
		edits.drain (take);
	writer.join ();
	edits.drain (take);
	EXPECT_EQ (lastSeen, static_cast<ParamValue> (kPosts));
}

TEST (HostComponentHandler, RecordsEveryCallInOrderAndPassesEditsOn)
{
	PendingParameterEdits edits;
	edits.setParameters ({1005});
	IPtr<ComponentHandler> handler = owned (new ComponentHandler (&edits));

	// What a controller reaches through the interfaces it asks the handler for.
	FUnknownPtr<IComponentHandler> first (static_cast<IComponentHandler*> (handler.get ()));
	FUnknownPtr<IComponentHandler2> second (static_cast<IComponentHandler*> (handler.get ()));
	ASSERT_TRUE (first && second);
	void* nothing = reinterpret_cast<void*> (1);
	EXPECT_EQ (handler->queryInterface (IEditController::iid, &nothing), kNoInterface);
	EXPECT_EQ (nothing, nullptr);

	EXPECT_EQ (second->startGroupEdit (), kResultOk);
	EXPECT_EQ (first->beginEdit (1005), kResultOk);
	EXPECT_EQ (first->performEdit (1005, 0.5), kResultOk);
	EXPECT_EQ (first->endEdit (1005), kResultOk);
	EXPECT_EQ (second->finishGroupEdit (), kResultOk);
	EXPECT_EQ (first->restartComponent (kParamValuesChanged | kLatencyChanged), kResultOk);
	EXPECT_EQ (second->setDirty (true), kResultOk);
	EXPECT_EQ (second->requestOpenEditor ("editor"), kNotImplemented);
	EXPECT_EQ (second->requestOpenEditor (nullptr), kNotImplemented);

	std::vector<std::string> lines;
	for (const auto& call : handler->calls ())
		lines.push_back (describeHandlerCall (call));
	EXPECT_EQ (lines,
	           (std::vector<std::string>{"startGroupEdit", "beginEdit 1005", "performEdit 1005 0.5", "endEdit 1005",
	                                     "finishGroupEdit", "restartComponent 0xc", "setDirty true",
	                                     "requestOpenEditor \"editor\"", "requestOpenEditor \"\""}));
	EXPECT_EQ (handler->count (HandlerCall::kRequestOpenEditor), 2u);
	EXPECT_EQ (drained (edits), (std::vector<std::pair<ParamID, ParamValue>>{{1005, 0.5}}));

	handler->clearCalls ();
	EXPECT_TRUE (handler->calls ().empty ());
	handler->detach ();
	EXPECT_EQ (first->performEdit (1005, 0.75), kResultFalse);
	EXPECT_TRUE (drained (edits).empty ());
}

TEST (HostUtf16, TypedTextConvertsAndMalformedBytesCannotSmuggleAnything)
{
	EXPECT_EQ (utf8ToUtf16 ("1/8"), u"1/8");
	EXPECT_EQ (utf8ToUtf16 ("50 % wet"), u"50 % wet");
	EXPECT_EQ (utf8ToUtf16 ("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5"), u"\u00E9\u20AC\U0001F3B5");
	// A lone continuation byte, a cut sequence, an overlong NUL, an encoded surrogate, and past U+10FFFF.
	EXPECT_EQ (utf8ToUtf16 ("a\x80"
	                        "b"),
	           u"a\uFFFDb");
	EXPECT_EQ (utf8ToUtf16 ("\xE2\x82"), u"\uFFFD\uFFFD");
	EXPECT_EQ (utf8ToUtf16 ("\xC0\x80"), u"\uFFFD\uFFFD");
	EXPECT_EQ (utf8ToUtf16 ("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
	EXPECT_EQ (utf8ToUtf16 ("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
	EXPECT_EQ (utf8ToUtf16 (std::string ("x\0y", 3)), u"x\uFFFDy");
	// And back.
	const std::u16string music = u"\u00E9\U0001F3B5";
	EXPECT_EQ (utf16ToUtf8 (reinterpret_cast<const char16*> (music.c_str ()), 128), "\xC3\xA9\xF0\x9F\x8E\xB5");
}
