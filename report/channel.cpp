#include "channel.h"

#include <string.h>

void ChannelOpen(OutputChannel *channel, SystemWrite write, void *context,
    bool buffered)
{
	channel->write = write;
	channel->context = context;
	channel->buffered = buffered;
	channel->used = 0;
}

// Writes all of bytes, resuming after short and interrupted writes; gives up
// on an error or on a write that makes no progress.
static bool WriteAll(OutputChannel *channel, const char *bytes, size_t size)
{
	while (size > 0) {
		long written = channel->write(channel->context, bytes, size);
		if (written == WRITE_INTERRUPTED)
			continue;
		if (written <= 0)
			return false;
		bytes += written;
		size -= (size_t)written;
	}
	return true;
}

// Expands line ends to CR LF and hands the result over in one write.
static bool HandOver(OutputChannel *channel, const char *bytes, size_t size)
{
	char wire[2 * CHANNEL_BUFFER_SIZE];
	size_t length = 0;

	for (size_t i = 0; i < size; i++) {
		if (bytes[i] == '\n')
			wire[length++] = '\r';
		wire[length++] = bytes[i];
	}
	return WriteAll(channel, wire, length);
}

// Empties the buffer whether or not the system took its contents.
static bool WriteOut(OutputChannel *channel)
{
	size_t used = channel->used;

	channel->used = 0;
	return used == 0 || HandOver(channel, channel->buffer, used);
}

void ChannelWriteLine(OutputChannel *channel, const char *line, size_t length)
{
	if (length > CHANNEL_BUFFER_SIZE)
		return;
	if (!channel->buffered) {
		HandOver(channel, line, length);
		return;
	}
	// As with a C runtime's stream, a line that meets a failed write-out is
	// dropped with the buffer.
	if (length > CHANNEL_BUFFER_SIZE - channel->used && !WriteOut(channel))
		return;
	memcpy(channel->buffer + channel->used, line, length);
	channel->used += length;
}

void ChannelFlush(OutputChannel *channel)
{
	WriteOut(channel);
}
