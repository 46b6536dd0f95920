#ifndef KBLAYOUTS_CHANNEL_H
#define KBLAYOUTS_CHANNEL_H

#include <stddef.h>

// The output channel: turns each LF into CR LF on the way to the system,
// and either hands every line over at once (a console) or gathers lines in
// a 512-byte buffer (a file or a pipe) in which a line end counts as one byte.

enum { CHANNEL_BUFFER_SIZE = 512 };

// What a SystemWrite returns besides the count of bytes the system took.
enum { WRITE_FAILED = -1, WRITE_INTERRUPTED = -2 };

// Hands bytes to the system once. Returns how many it took (possibly fewer
// than size), WRITE_INTERRUPTED if a signal stopped it before it wrote
// anything, or WRITE_FAILED.
typedef long (*SystemWrite)(void *context, const char *bytes, size_t size);

struct OutputChannel {
	SystemWrite write;
	void *context;
	bool buffered;
	size_t used;
	char buffer[CHANNEL_BUFFER_SIZE];
};

void ChannelOpen(OutputChannel *channel, SystemWrite write, void *context,
    bool buffered);

// Takes one whole line of at most CHANNEL_BUFFER_SIZE bytes, ending in LF;
// a longer one is dropped. Failures are not reported: what the system does
// not take is lost.
void ChannelWriteLine(OutputChannel *channel, const char *line, size_t length);

// Hands over whatever is still buffered.
void ChannelFlush(OutputChannel *channel);

#endif
