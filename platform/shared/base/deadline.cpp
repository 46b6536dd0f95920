#include "deadline.h"

#include <errno.h>
#include <poll.h>
#include <pthread.h>
#include <time.h>

// The sources keep a query's state in static storage, the deadline too.
static pthread_mutex_t oneQuery = PTHREAD_MUTEX_INITIALIZER;
static struct timespec deadline;
static unsigned queries;

bool StartQuery()
{
	struct timespec mine;

	clock_gettime(CLOCK_MONOTONIC, &mine);
	mine.tv_sec += QUERY_SECONDS;
	if (pthread_mutex_clocklock(&oneQuery, CLOCK_MONOTONIC, &mine) != 0)
		return false;
	deadline = mine;
	queries++;
	return true;
}

void EndQuery()
{
	pthread_mutex_unlock(&oneQuery);
}

unsigned QueryNumber()
{
	return queries;
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
