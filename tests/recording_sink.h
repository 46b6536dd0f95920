#ifndef KBLAYOUTS_RECORDING_SINK_H
#define KBLAYOUTS_RECORDING_SINK_H

#include <deque>
#include <string>
#include <vector>

#include "channel.h"

// Stands in for the system end of an output channel: records every write,
// and answers each call as planned: take at most N bytes, fail, or report an
// interruption. Once the plan runs out it takes everything.
struct RecordingSink {
	std::vector<std::string> writes;
	std::deque<long> plan;
	int calls = 0;

	std::string Bytes() const;
	void Open(OutputChannel *channel, bool buffered);
};

#endif
