// The controller as a reference-counted SDK object: its create function, interface lookup and lifetime.

#include "ControllerTestSupport.h"

#include "pluginterfaces/vst/ivstcomponent.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

/** Tells the test when the last reference is gone. */
class ObservedController : public DuckerController
{
public:
	explicit ObservedController (bool& destroyed) : destroyed (destroyed) {}
	~ObservedController () override { destroyed = true; }

private:
	bool& destroyed;
};

} // namespace

TEST (ControllerObject, CreateInstanceGivesOneReferenceToTheCaller)
{
	int unusedContext = 0;
	FUnknown* unknown = DuckerController::createInstance (&unusedContext);
	ASSERT_NE (unknown, nullptr);
	auto* controller = static_cast<DuckerController*> (static_cast<IEditController*> (unknown));
	EXPECT_EQ (controller->addRef (), 2u);
	EXPECT_EQ (controller->release (), 1u);
	EXPECT_EQ (controller->getParameterCount (), 0);
	EXPECT_EQ (controller->getWinSize (), nullptr);
	EXPECT_EQ (unknown->release (), 0u);
}

TEST (ControllerObject, QueryInterfaceAnswersEachInterfaceWithOneMoreReference)
{
	auto controller = newController ();
	void* found = nullptr;
	ASSERT_EQ (controller->queryInterface (IEditController2::iid, &found), kResultOk);
	EXPECT_EQ (found, static_cast<IEditController2*> (controller.get ()));
	EXPECT_EQ (controller->addRef (), 3u); // the host's, the lookup's, and this one
	controller->release ();
	static_cast<IEditController2*> (found)->release ();

	ASSERT_EQ (controller->queryInterface (IEditController::iid, &found), kResultOk);
	EXPECT_EQ (found, static_cast<IEditController*> (controller.get ()));
	static_cast<IEditController*> (found)->release ();

	ASSERT_EQ (controller->queryInterface (IPluginBase::iid, &found), kResultOk);
	EXPECT_EQ (found, static_cast<IPluginBase*> (static_cast<ComponentBase*> (controller.get ())));
	static_cast<IPluginBase*> (found)->release ();

	ASSERT_EQ (controller->queryInterface (IConnectionPoint::iid, &found), kResultOk);
	EXPECT_EQ (found, static_cast<IConnectionPoint*> (controller.get ()));
	static_cast<IConnectionPoint*> (found)->release ();

	ASSERT_EQ (controller->queryInterface (FUnknown::iid, &found), kResultOk);
	static_cast<FUnknown*> (found)->release ();

	// Reached from another of the object's interfaces, the answer is the same.
	IConnectionPoint* connection = controller.get ();
	ASSERT_EQ (connection->queryInterface (IEditController2::iid, &found), kResultOk);
	EXPECT_EQ (found, static_cast<IEditController2*> (controller.get ()));
	static_cast<IEditController2*> (found)->release ();

	EXPECT_EQ (controller->addRef (), 2u);
	controller->release ();
}

TEST (ControllerObject, QueryInterfaceRefusesWhatItDoesNotImplement)
{
	auto controller = newController ();
	void* found = &controller;
	EXPECT_EQ (controller->queryInterface (IComponent::iid, &found), kNoInterface);
	EXPECT_EQ (found, nullptr);
	EXPECT_EQ (controller->queryInterface (IEditController2::iid, nullptr), kInvalidArgument);
	EXPECT_EQ (controller->addRef (), 2u);
	controller->release ();
}

TEST (ControllerObject, OutlivesTheHostsReferenceWhileAnEditorHoldsIt)
{
	bool destroyed = false;
	auto* controller = new ObservedController (destroyed);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	// The SDK's editor base holds its controller by a counted reference, as every editor will.
	auto* editor = new EditorView (controller);

	controller->terminate ();
	EXPECT_EQ (controller->release (), 1u); // the host lets go
	EXPECT_FALSE (destroyed);
	controller->setWinSize ({640, 1075});
	EXPECT_EQ (controller->getWinSize ()->width, 640);

	editor->release ();
	EXPECT_TRUE (destroyed);
}
