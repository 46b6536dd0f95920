#ifndef KBLAYOUTS_X_WIRE_H
#define KBLAYOUTS_X_WIRE_H

#include <stddef.h>
#include <stdint.h>

#include "query_state.h"
#include "text.h"

// A connection to an X server in the protocol's wire format, spoken by the
// program itself: every wait ends at the query's deadline, which libxcb's
// connection set-up would not let it keep, and the little the program asks
// needs none of libxcb's 80 KiB.
enum { X_REQUESTS_MAX = 512, X_MESSAGE_MAX = 64 * 1024 };

struct XConnection {
	const Query *query;
	int fd;
	unsigned sequence;
	unsigned char requests[X_REQUESTS_MAX];
	size_t requestLength;
	unsigned char buffer[X_MESSAGE_MAX];
	size_t start;
	size_t end;
};

// An authorization the server is offered: its protocol's name
// ("MIT-MAGIC-COOKIE-1") and its data; both empty for none.
struct XCookie {
	Text name;
	Text data;
};

// Takes fd, a socket connected to an X server, for the query given, and
// sets the connection up with the cookie given, waiting until the query's
// deadline at most; false where the server refuses, fails or lets the
// deadline pass. fd stays the caller's to close.
bool SetUpX(XConnection *connection, const Query *query, int fd, const XCookie *cookie);

// Adds a request, its bytes with their length field left to fill, to those
// FlushX sends; returns its sequence number, 0 where it would not fit.
unsigned QueueXRequest(XConnection *connection, const void *request, size_t size);

// Sends the requests queued; false where the connection fails.
bool FlushX(XConnection *connection);

// Waits until the deadline for the reply to the request numbered sequence,
// passing over events and the answers to earlier requests; the reply's
// bytes stay in the connection's buffer until the next read. False where
// the server answers with an error, the connection fails or ends, a
// message is larger than the buffer, or the deadline passes.
bool AwaitXReply(XConnection *connection, unsigned sequence, Text *reply);

#endif
