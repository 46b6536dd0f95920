#include "x_wire.h"

#include <errno.h>
#include <string.h>
#include <sys/socket.h>

#include "deadline.h"
#include "socket_io.h"
#include "x_protocol.h"

// The set-up's reply begins with 8 bytes: its status, and the count of
// 4-byte words that follow, which the program does not need.
enum { SETUP_HEADER = 8, SETUP_SUCCESS = 1 };

static const uint8_t BYTE_ORDER_MARK = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? 'l' : 'B';

static size_t Padded(size_t size)
{
	return (size + 3) & ~(size_t)3;
}

// Reads what the server sent after the bytes held, waiting until the
// deadline; false where the connection fails or ends.
static bool Receive(XConnection *connection)
{
	memmove(connection->buffer, connection->buffer + connection->start,
	    connection->end - connection->start);
	connection->end -= connection->start;
	connection->start = 0;
	size_t got = ReceiveBytesInTime(connection->fd, connection->buffer + connection->end,
	    sizeof connection->buffer - connection->end, connection->query);
	connection->end += got;
	return got > 0;
}

// Holds at least size bytes, size no more than the buffer's.
static bool Hold(XConnection *connection, size_t size)
{
	while (connection->end - connection->start < size)
		if (!Receive(connection))
			return false;
	return true;
}

// Passes over size bytes, which may be more than the buffer holds.
static bool Skip(XConnection *connection, size_t size)
{
	for (;;) {
		size_t held = connection->end - connection->start;
		size_t taken = held < size ? held : size;
		connection->start += taken;
		size -= taken;
		if (size == 0)
			return true;
		if (!Receive(connection))
			return false;
	}
}

bool FlushX(XConnection *connection)
{
	size_t sent = 0;

	while (sent < connection->requestLength) {
		ssize_t wrote = send(connection->fd, connection->requests + sent,
		    connection->requestLength - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
		if (wrote > 0)
			sent += (size_t)wrote;
		else if (wrote == 0 || (errno != EAGAIN && errno != EINTR) ||
		    !WaitWritable(connection->fd, connection->query))
			return false;
	}
	connection->requestLength = 0;
	return true;
}

// Adds bytes to those FlushX sends, padded to four.
static bool Queue(XConnection *connection, const void *bytes, size_t size)
{
	if (Padded(size) > sizeof connection->requests - connection->requestLength)
		return false;
	if (size > 0)
		memcpy(connection->requests + connection->requestLength, bytes, size);
	memset(connection->requests + connection->requestLength + size, 0, Padded(size) - size);
	connection->requestLength += Padded(size);
	return true;
}

bool SetUpX(XConnection *connection, const Query *query, int fd, const XCookie *cookie)
{
	struct {
		uint8_t byteOrder, unused;
		uint16_t major, minor, nameLength, dataLength, pad;
	} header = {BYTE_ORDER_MARK, 0, 11, 0, (uint16_t)cookie->name.length,
	    (uint16_t)cookie->data.length, 0};
	uint16_t words;

	connection->query = query;
	connection->fd = fd;
	connection->sequence = 0;
	connection->requestLength = connection->start = connection->end = 0;
	if (cookie->name.length > 0xFFFF || cookie->data.length > 0xFFFF ||
	    !Queue(connection, &header, sizeof header) ||
	    !Queue(connection, cookie->name.bytes, cookie->name.length) ||
	    !Queue(connection, cookie->data.bytes, cookie->data.length) ||
	    !FlushX(connection) || !Hold(connection, SETUP_HEADER))
		return false;
	const unsigned char *reply = connection->buffer + connection->start;
	memcpy(&words, reply + 6, sizeof words);
	return reply[0] == SETUP_SUCCESS && Skip(connection, SETUP_HEADER + 4 * (size_t)words);
}

unsigned QueueXRequest(XConnection *connection, const void *request, size_t size)
{
	uint16_t words = (uint16_t)(Padded(size) / 4);
	size_t at = connection->requestLength;

	if (size < 4 || Padded(size) > 0xFFFF * 4 || !Queue(connection, request, size))
		return 0;
	memcpy(connection->requests + at + 2, &words, sizeof words);
	return ++connection->sequence;
}

// Reads the next message whole: 32 bytes, and for a reply or a generic
// event the words its length gives.
static bool NextMessage(XConnection *connection, const unsigned char **message, size_t *size)
{
	enum { GENERIC_EVENT = 35 };
	uint32_t words = 0;

	if (!Hold(connection, X_MESSAGE_HEADER))
		return false;
	const unsigned char *header = connection->buffer + connection->start;
	if (header[0] == X_REPLY || (header[0] & 0x7F) == GENERIC_EVENT)
		memcpy(&words, header + 4, sizeof words);
	if (words > (sizeof connection->buffer - X_MESSAGE_HEADER) / 4 ||
	    !Hold(connection, X_MESSAGE_HEADER + 4 * (size_t)words))
		return false;
	*message = connection->buffer + connection->start;
	*size = X_MESSAGE_HEADER + 4 * (size_t)words;
	connection->start += *size;
	return true;
}

bool AwaitXReply(XConnection *connection, unsigned sequence, Text *reply)
{
	const unsigned char *message;
	size_t size;
	uint16_t answered;

	while (NextMessage(connection, &message, &size)) {
		if (message[0] != X_REPLY && message[0] != X_ERROR)
			continue;
		memcpy(&answered, message + 2, sizeof answered);
		if (answered != (uint16_t)sequence)
			continue;
		*reply = Text{(const char *)message, size};
		return message[0] == X_REPLY;
	}
	return false;
}
