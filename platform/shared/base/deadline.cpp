#include "deadline.h"

#include <errno.h>
#include <poll.h>
#include <time.h>

static struct timespec deadline;

void StartDeadline()
{
	clock_gettime(CLOCK_MONOTONIC, &deadline);
	deadline.tv_sec += QUERY_SECONDS;
}

int MillisecondsLeft()
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	long long left = (long long)(deadline.tv_sec - now.tv_sec) * 1000 +
	    (deadline.tv_nsec - now.tv_nsec) / 1000000;
	return left > 0 ? (int)left : 0;
}

// Waits until fd has events, the deadline passes or the connection fails;
// true in the first case only.
static bool WaitFor(int fd, short events)
{
	for (;;) {
		struct pollfd ready = {fd, events, 0};
		int left = MillisecondsLeft();
		if (left == 0)
			return false;
		int polled = poll(&ready, 1, left);
		if (polled > 0)
			return (ready.revents & events) != 0;
		if (polled == 0 || errno != EINTR)
			return false;
	}
}

bool WaitReadable(int fd)
{
	return WaitFor(fd, POLLIN);
}

bool WaitWritable(int fd)
{
	return WaitFor(fd, POLLOUT);
}
