#ifndef KBLAYOUTS_FUZZ_STREAM_H
#define KBLAYOUTS_FUZZ_STREAM_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

// For the fuzzing targets of the program's wire readers: a socket from
// which the program reads the bytes given, as a server would have sent
// them, then the end of the stream; fd, where it is not -1, travels with
// the first byte. The server's end, in *server, takes the program's
// requests and never reads them. At most 64 KiB are sent, which the socket
// holds without a reader. The caller closes both ends.
static inline int ServerSent(const uint8_t *data, size_t size, int fd, int *server)
{
	int pair[2];
	char control[CMSG_SPACE(sizeof fd)] = {};
	struct iovec part = {(void *)data, size < 65536 ? size : 65536};
	struct msghdr message = {};

	if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
		return -1;
	message.msg_iov = &part;
	message.msg_iovlen = 1;
	if (fd >= 0) {
		message.msg_control = control;
		message.msg_controllen = sizeof control;
		struct cmsghdr *header = CMSG_FIRSTHDR(&message);
		header->cmsg_level = SOL_SOCKET;
		header->cmsg_type = SCM_RIGHTS;
		header->cmsg_len = CMSG_LEN(sizeof fd);
		memcpy(CMSG_DATA(header), &fd, sizeof fd);
	}
	if (part.iov_len > 0)
		sendmsg(pair[1], &message, MSG_NOSIGNAL);
	shutdown(pair[1], SHUT_WR);
	*server = pair[1];
	return pair[0];
}

#endif
