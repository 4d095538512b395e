#include "host/StateBytes.h"

#include "public.sdk/source/common/memorystream.h"

namespace QuorvaneHost
{

using namespace Steinberg;

tresult captureState (const std::function<tresult (IBStream*)>& writer, std::vector<std::uint8_t>& bytes)
{
	bytes.clear ();
	auto stream = owned (new MemoryStream);
	const tresult result = writer (stream);
	if (result != kResultOk)
		return result;
	// What was written ends at the cursor's furthest point, which a writer that seeks back does not move.
	const TSize size = stream->getSize ();
	const char* data = stream->getData ();
	if (data && size > 0)
		bytes.assign (data, data + size);
	return result;
}

IPtr<IBStream> streamOverCopy (const std::vector<std::uint8_t>& bytes)
{
	auto stream = owned (new MemoryStream);
	if (!bytes.empty ())
	{
		int32 written = 0;
		stream->write (const_cast<std::uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()), &written);
		stream->seek (0, IBStream::kIBSeekSet, nullptr);
	}
	return IPtr<IBStream> (stream);
}

} // namespace QuorvaneHost
