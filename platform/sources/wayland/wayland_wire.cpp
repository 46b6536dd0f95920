#include "wayland_wire.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "given_socket.h"
#include "socket_io.h"

enum { HEADER_SIZE = 8 };

// A socket the program was given: a descriptor of its own, not one of the
// standard streams.
static int GivenSocket(const char *number)
{
	char *end;
	long fd = strtol(number, &end, 10);
	struct stat status;

	if (end == number || *end || fd < 3 || fd > 65535 || fstat((int)fd, &status) != 0 ||
	    !S_ISSOCK(status.st_mode))
		return -1;
	fcntl((int)fd, F_SETFD, FD_CLOEXEC);
	return (int)fd;
}

// The socket that the display's name gives, connected; -1 where none.
static int DisplaySocket(const char *display)
{
	const char *runtime = secure_getenv("XDG_RUNTIME_DIR");
	char path[PATH_MAX];

	if (*display == '/')
		return ConnectLocalSocket(display);
	if (!runtime || !*runtime ||
	    snprintf(path, sizeof path, "%s/%s", runtime, display) >= (int)sizeof path)
		return -1;
	return ConnectLocalSocket(path);
}

void SpeakWire(WireConnection *connection, const Query *query, int fd)
{
	connection->query = query;
	connection->start = connection->end = 0;
	connection->fdCount = 0;
	connection->requestWords = 0;
	connection->fd = fd;
}

bool ConnectWayland(const Query *query, WireConnection *connection)
{
	const char *given = GivenWaylandSocket();
	const char *display = secure_getenv("WAYLAND_DISPLAY");

	SpeakWire(connection, query,
	    given ? GivenSocket(given) : display ? DisplaySocket(display) : -1);
	return connection->fd >= 0;
}

void CloseWayland(WireConnection *connection)
{
	for (int fd; (fd = TakeFd(connection)) >= 0;)
		close(fd);
	close(connection->fd);
}

bool QueueRequest(WireConnection *connection, uint32_t object, uint32_t opcode,
    const uint32_t *words, size_t count)
{
	uint32_t *message = connection->requests + connection->requestWords;
	size_t room = sizeof connection->requests / 4 - connection->requestWords;

	if (count + 2 > room)
		return false;
	message[0] = object;
	message[1] = (uint32_t)(HEADER_SIZE + 4 * count) << 16 | opcode;
	memcpy(message + 2, words, 4 * count);
	connection->requestWords += count + 2;
	return true;
}

bool Flush(WireConnection *connection)
{
	size_t size = 4 * connection->requestWords;

	connection->requestWords = 0;
	return send(connection->fd, connection->requests, size, MSG_NOSIGNAL) == (ssize_t)size;
}

// Keeps the descriptors a message brought, in order; those past room are
// closed.
static void KeepFds(WireConnection *connection, struct msghdr *message)
{
	for (struct cmsghdr *header = CMSG_FIRSTHDR(message); header;
	    header = CMSG_NXTHDR(message, header)) {
		if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS)
			continue;
		size_t count = (header->cmsg_len - CMSG_LEN(0)) / sizeof(int);
		for (size_t i = 0; i < count; i++) {
			int fd;
			memcpy(&fd, CMSG_DATA(header) + i * sizeof fd, sizeof fd);
			if (connection->fdCount < WIRE_FDS_MAX)
				connection->fds[connection->fdCount++] = fd;
			else
				close(fd);
		}
	}
}

// Reads what the compositor sent after the bytes held, waiting until the
// deadline; false where the connection fails or ends.
static bool Receive(WireConnection *connection)
{
	char control[CMSG_SPACE(WIRE_FDS_MAX * sizeof(int))];
	struct iovec part;
	struct msghdr message = {};

	memmove(connection->buffer, connection->buffer + connection->start,
	    connection->end - connection->start);
	connection->end -= connection->start;
	connection->start = 0;
	part.iov_base = connection->buffer + connection->end;
	part.iov_len = sizeof connection->buffer - connection->end;
	message.msg_iov = &part;
	message.msg_iovlen = 1;
	message.msg_control = control;
	message.msg_controllen = sizeof control;
	size_t got = ReceiveInTime(connection->fd, &message, MSG_CMSG_CLOEXEC, connection->query);
	if (got == 0)
		return false;
	KeepFds(connection, &message);
	connection->end += got;
	return true;
}

bool NextEvent(WireConnection *connection, WireEvent *event)
{
	uint32_t header[2];
	size_t size;

	for (;;) {
		size_t held = connection->end - connection->start;
		if (held >= HEADER_SIZE) {
			memcpy(header, connection->buffer + connection->start, sizeof header);
			size = header[1] >> 16;
			if (size < HEADER_SIZE || size % 4 != 0 || size > WIRE_MESSAGE_MAX)
				return false;
			if (held >= size)
				break;
		}
		if (!Receive(connection))
			return false;
	}
	event->object = header[0];
	event->opcode = header[1] & 0xFFFF;
	event->arguments = connection->buffer + connection->start + HEADER_SIZE;
	event->length = size - HEADER_SIZE;
	connection->start += size;
	return true;
}

int TakeFd(WireConnection *connection)
{
	if (connection->fdCount == 0)
		return -1;
	int fd = connection->fds[0];
	memmove(connection->fds, connection->fds + 1,
	    (size_t)--connection->fdCount * sizeof connection->fds[0]);
	return fd;
}

bool ReadUint(const WireEvent *event, size_t *at, uint32_t *value)
{
	if (*at > event->length || event->length - *at < sizeof *value)
		return false;
	memcpy(value, event->arguments + *at, sizeof *value);
	*at += sizeof *value;
	return true;
}

bool ReadWireString(const WireEvent *event, size_t *at, Text *value)
{
	uint32_t length;

	if (!ReadUint(event, at, &length) || length == 0 ||
	    length > event->length - *at || event->arguments[*at + length - 1] != '\0')
		return false;
	*value = Text{(const char *)event->arguments + *at, length - 1};
	*at += (length + 3) & ~3u;
	if (*at > event->length)
		*at = event->length;
	return true;
}
