#ifndef KBLAYOUTS_SOCKET_IO_H
#define KBLAYOUTS_SOCKET_IO_H

#include <sys/socket.h>
#include <sys/types.h>

#include "query_state.h"

// Talking to a server over a socket that never blocks, each wait ending
// at the query's deadline.

// Connects to the local socket at path; -1 where that fails or the path
// does not fit. A server whose queue of connections is full answers at
// once, where a blocking connect would wait for it without a limit.
int ConnectLocalSocket(const char *path);

// Receives into message what fd has, as recvmsg does with flags, waiting
// for it until the deadline: the count of bytes, or 0 where the
// connection ended or failed or the deadline passed.
size_t ReceiveInTime(int fd, struct msghdr *message, int flags, const Query *query);

// The same into the size bytes at buffer, with no descriptors beside.
size_t ReceiveBytesInTime(int fd, void *buffer, size_t size, const Query *query);

#endif
