#include "query.h"

#include <setjmp.h>
#include <signal.h>
#include <sys/time.h>

#include "deadline.h"
#include "wayland_query.h"
#include "x11_query.h"

static sigjmp_buf givingUp;

static void GiveUp(int)
{
	siglongjmp(givingUp, 1);
}

// A Linux session's layouts: the Wayland compositor's where there is one,
// even none, since Xwayland would then show a default nobody chose; else
// the X server's.
static int QuerySession(int capacity, uint32_t *hklList)
{
	int count = 0;

	if (QueryWaylandLayouts(capacity, hklList, &count))
		return count;
	return QueryXLayouts(capacity, hklList);
}

// Replies are awaited until the deadline. What libraries wait for inside
// their own calls, connecting above all (a TCP host that does not answer,
// a server that never sets the connection up), a timer cuts off just after
// it, and the query has then failed.
int QueryLayouts(int capacity, uint32_t *hklList)
{
	struct sigaction giveUp = {}, previous;
	const struct itimerval timer = {{0, 0}, {QUERY_SECONDS, 200 * 1000}};
	const struct itimerval stopped = {{0, 0}, {0, 0}};
	volatile int count = 0;

	giveUp.sa_handler = GiveUp;
	sigemptyset(&giveUp.sa_mask);
	StartDeadline();
	sigaction(SIGALRM, &giveUp, &previous);
	if (sigsetjmp(givingUp, 1) == 0) {
		setitimer(ITIMER_REAL, &timer, NULL);
		count = QuerySession(capacity, hklList);
	}
	setitimer(ITIMER_REAL, &stopped, NULL);
	sigaction(SIGALRM, &previous, NULL);
	return count;
}
