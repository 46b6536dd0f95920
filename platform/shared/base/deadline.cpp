#include "deadline.h"

#include <errno.h>
#include <poll.h>
#include <pthread.h>

static pthread_mutex_t oneQuery = PTHREAD_MUTEX_INITIALIZER;

bool StartQuery(Query *query, bool asksActive)
{
	*query = Query{};
	clock_gettime(CLOCK_MONOTONIC, &query->deadline);
	query->deadline.tv_sec += QUERY_SECONDS;
	query->asksActive = asksActive;
	query->frameworkNamed = -1;
	query->ibusServer = -1;
	return pthread_mutex_clocklock(&oneQuery, CLOCK_MONOTONIC, &query->deadline) == 0;
}

void EndQuery(Query *)
{
	pthread_mutex_unlock(&oneQuery);
}

int MillisecondsLeft(const Query *query)
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	long long left = (long long)(query->deadline.tv_sec - now.tv_sec) * 1000 +
	    (query->deadline.tv_nsec - now.tv_nsec) / 1000000;
	return left > 0 ? (int)left : 0;
}

// Waits until fd has events, the deadline passes or the connection fails;
// true in the first case only.
static bool WaitFor(int fd, short events, const Query *query)
{
	for (;;) {
		struct pollfd ready = {fd, events, 0};
		int left = MillisecondsLeft(query);
		if (left == 0)
			return false;
		int polled = poll(&ready, 1, left);
		if (polled > 0)
			return (ready.revents & events) != 0;
		if (polled == 0 || errno != EINTR)
			return false;
	}
}

bool WaitReadable(int fd, const Query *query)
{
	return WaitFor(fd, POLLIN, query);
}

bool WaitWritable(int fd, const Query *query)
{
	return WaitFor(fd, POLLOUT, query);
}
