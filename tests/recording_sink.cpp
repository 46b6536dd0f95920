#include "recording_sink.h"

static long Record(void *context, const char *bytes, size_t size)
{
	RecordingSink *sink = static_cast<RecordingSink *>(context);
	long take = (long)size;

	sink->calls++;
	if (!sink->plan.empty()) {
		long planned = sink->plan.front();
		sink->plan.pop_front();
		if (planned < 0)
			return planned;
		if (planned < take)
			take = planned;
	}
	sink->writes.emplace_back(bytes, (size_t)take);
	return take;
}

std::string RecordingSink::Bytes() const
{
	std::string all;
	for (const std::string &write : writes)
		all += write;
	return all;
}

void RecordingSink::Open(OutputChannel *channel, bool buffered)
{
	ChannelOpen(channel, Record, this, buffered);
}
