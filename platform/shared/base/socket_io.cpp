#include "socket_io.h"

#include <errno.h>
#include <stdio.h>
#include <sys/un.h>
#include <unistd.h>

#include "deadline.h"

int ConnectLocalSocket(const char *path)
{
	struct sockaddr_un address = {};

	address.sun_family = AF_UNIX;
	int length = snprintf(address.sun_path, sizeof address.sun_path, "%s", path);
	if (length <= 0 || length >= (int)sizeof address.sun_path)
		return -1;
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
	if (fd >= 0 && connect(fd, (struct sockaddr *)&address, sizeof address) != 0) {
		close(fd);
		fd = -1;
	}
	return fd;
}

size_t ReceiveInTime(int fd, struct msghdr *message, int flags, const Query *query)
{
	for (;;) {
		ssize_t got = recvmsg(fd, message, flags | MSG_DONTWAIT);
		if (got > 0)
			return (size_t)got;
		if (got == 0 || (errno != EAGAIN && errno != EINTR) || !WaitReadable(fd, query))
			return 0;
	}
}

size_t ReceiveBytesInTime(int fd, void *buffer, size_t size, const Query *query)
{
	struct iovec part = {buffer, size};
	struct msghdr message = {};

	message.msg_iov = &part;
	message.msg_iovlen = 1;
	return ReceiveInTime(fd, &message, 0, query);
}
