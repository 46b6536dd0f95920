#include "sway_ipc.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "socket_io.h"
#include "sway_inputs.h"

// A message is "i3-ipc", the length of its payload and its type, in the
// machine's byte order, then the payload. A list of inputs is a few
// kilobytes.
enum { GET_INPUTS = 100, REPLY_MAX = 1 << 20 };

struct Header {
	char magic[6];
	uint32_t length;
	uint32_t type;
} __attribute__((packed));

static bool ReceiveAll(const Query *query, int fd, void *buffer, size_t size)
{
	for (size_t held = 0; held < size;) {
		size_t got = ReceiveBytesInTime(fd, (char *)buffer + held, size - held, query);
		if (got == 0)
			return false;
		held += got;
	}
	return true;
}

int AskSwayInputs()
{
	const Header request = {{'i', '3', '-', 'i', 'p', 'c'}, 0, GET_INPUTS};
	const char *path = secure_getenv("SWAYSOCK");
	int fd = path ? ConnectLocalSocket(path) : -1;

	if (fd >= 0 && send(fd, &request, sizeof request, MSG_NOSIGNAL | MSG_DONTWAIT) !=
	    sizeof request) {
		close(fd);
		fd = -1;
	}
	return fd;
}

// The payload of sway's answer, for the caller to free; NULL where it
// does not answer GET_INPUTS within the deadline.
static char *ReceiveInputs(const Query *query, int fd, uint32_t *length)
{
	Header reply;

	if (!ReceiveAll(query, fd, &reply, sizeof reply) ||
	    memcmp(reply.magic, "i3-ipc", sizeof reply.magic) != 0 ||
	    reply.type != GET_INPUTS || reply.length > REPLY_MAX)
		return NULL;
	char *payload = (char *)malloc(reply.length + 1);
	if (payload && !ReceiveAll(query, fd, payload, reply.length)) {
		free(payload);
		return NULL;
	}
	*length = reply.length;
	return payload;
}

int SwayLayoutInUse(const Query *query, int fd)
{
	uint32_t length;
	char *inputs = ReceiveInputs(query, fd, &length);

	close(fd);
	int index = inputs ? ActiveLayoutIndex(Text{inputs, length}) : -1;
	free(inputs);
	return index;
}
