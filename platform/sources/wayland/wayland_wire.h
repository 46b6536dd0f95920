#ifndef KBLAYOUTS_WAYLAND_WIRE_H
#define KBLAYOUTS_WAYLAND_WIRE_H

#include <stddef.h>
#include <stdint.h>

#include "query_state.h"
#include "text.h"

// A connection to a Wayland compositor in the protocol's wire format:
// each message is its object's ID, a word of its size (header included)
// and opcode, and its arguments, in 32-bit words of the machine's byte
// order; file descriptors travel beside, in the socket's ancillary data.
// The program speaks it itself: loading libwayland-client and libffi
// would cost more than the whole query.
enum { WIRE_MESSAGE_MAX = 4096, WIRE_FDS_MAX = 28 };

struct WireConnection {
	const Query *query;
	int fd;
	unsigned char buffer[2 * WIRE_MESSAGE_MAX];
	size_t start;
	size_t end;
	int fds[WIRE_FDS_MAX];
	int fdCount;
	uint32_t requests[WIRE_MESSAGE_MAX / 4];
	size_t requestWords;
};

// An event's object, opcode and arguments, which stay in the connection's
// buffer until the next event is read.
struct WireEvent {
	uint32_t object;
	uint32_t opcode;
	const unsigned char *arguments;
	size_t length;
};

// Connects to the compositor that WAYLAND_SOCKET (a socket the program was
// given, see given_socket.h) or WAYLAND_DISPLAY (a socket's path, absolute
// or in XDG_RUNTIME_DIR) names, for the query given; false where there is
// none.
bool ConnectWayland(const Query *query, WireConnection *connection);

// Speaks the wire format on fd, a socket connected to a compositor, every
// wait ending at the query's deadline.
void SpeakWire(WireConnection *connection, const Query *query, int fd);

// Closes the connection and the file descriptors no event took.
void CloseWayland(WireConnection *connection);

// Adds a request of object with the argument words given to those that
// Flush sends; false where they would not fit.
bool QueueRequest(WireConnection *connection, uint32_t object, uint32_t opcode,
    const uint32_t *words, size_t count);

// Sends the requests queued, in one write; false where the connection
// fails.
bool Flush(WireConnection *connection);

// Reads the next event, waiting for it until the deadline; false where the
// connection fails or ends, the deadline passes, or the compositor sends a
// message that cannot be one.
bool NextEvent(WireConnection *connection, WireEvent *event);

// Takes the oldest file descriptor received and not yet taken; -1 where
// none is left.
int TakeFd(WireConnection *connection);

// Reads the unsigned integer argument at *at of an event, and moves *at
// past it; false where the event ends first.
bool ReadUint(const WireEvent *event, size_t *at, uint32_t *value);

// The same for a string argument, its bytes without the NUL that ends it;
// false where the event ends first or the string lacks its NUL.
bool ReadWireString(const WireEvent *event, size_t *at, Text *value);

#endif
