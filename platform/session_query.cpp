#include "query.h"

#include <pthread.h>
#include <sched.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "deadline.h"
#include "gnome_query.h"
#include "wayland_query.h"
#include "x11_query.h"

// The processor the main thread waits on.
static int waitingProcessor = -1;

// Keeps the worker on the processor the main thread waits on: a process
// whose threads run on several processors has each change to its memory
// map interrupt the others, which in a virtual machine costs more than a
// display server's answer. GLib's threads are better left to spread.
static void StayWithTheWaitingThread()
{
	cpu_set_t processors;

	if (waitingProcessor < 0)
		return;
	CPU_ZERO(&processors);
	CPU_SET(waitingProcessor, &processors);
	sched_setaffinity(0, sizeof processors, &processors);
}

// A Linux session's layouts: in GNOME its input sources, which its keymap
// only partly shows; else the Wayland compositor's keymap where there is
// one, even none, since Xwayland would then show a default nobody chose;
// else the X server's.
static int QuerySession(int capacity, uint32_t *hklList)
{
	int count = 0;

	if (QueryGnomeLayouts(capacity, hklList, &count))
		return count;
	StayWithTheWaitingThread();
	if (QueryWaylandLayouts(capacity, hklList, &count))
		return count;
	return QueryXLayouts(capacity, hklList);
}

// What the worker found. A worker that misses the deadline is left where
// it is and may still write here, so this outlives the query.
static struct {
	pthread_mutex_t lock;
	pthread_cond_t done;
	bool finished;
	int count;
	uint32_t hklList[MAX_LAYOUTS];
} answer = {PTHREAD_MUTEX_INITIALIZER, PTHREAD_COND_INITIALIZER, false, 0, {}};

static bool abandoned;

static void *Work(void *)
{
	int count = QuerySession(MAX_LAYOUTS, answer.hklList);

	pthread_mutex_lock(&answer.lock);
	answer.count = count;
	answer.finished = true;
	pthread_cond_signal(&answer.done);
	pthread_mutex_unlock(&answer.lock);
	return NULL;
}

// Whether the environment names a session to ask; without one no source
// has anything to wait for, and the query needs no worker.
static bool SessionNamed()
{
	return getenv("XDG_CURRENT_DESKTOP") || getenv("WAYLAND_DISPLAY") ||
	    getenv("WAYLAND_SOCKET") || getenv("DISPLAY");
}

// A worker left inside a library must not have that library's clean-up
// run under it: the process then ends as soon as the report is out.
// Registered before main, this runs after the report's flush at exit.
static void EndIfAbandoned()
{
	if (abandoned)
		_exit(0);
}

[[maybe_unused]] static const int endRegistered = atexit(EndIfAbandoned);

// The libraries wait inside their own calls, connecting above all (a TCP
// host that does not answer, a server that never sets the connection up),
// so the query runs on a worker while this thread waits for it until the
// deadline. Nothing is interrupted: a late worker is left behind, and the
// query has failed.
int QueryLayouts(int capacity, uint32_t *hklList)
{
	pthread_t worker;

	if (!SessionNamed())
		return 0;
	StartDeadline();
	waitingProcessor = sched_getcpu();
	if (pthread_create(&worker, NULL, Work, NULL) != 0)
		return 0;
	pthread_mutex_lock(&answer.lock);
	while (!answer.finished && WaitSignalled(&answer.done, &answer.lock))
		continue;
	bool finished = answer.finished;
	pthread_mutex_unlock(&answer.lock);
	if (!finished) {
		abandoned = true;
		return 0;
	}
	pthread_join(worker, NULL);
	int count = answer.count < capacity ? answer.count : capacity;
	if (count < 0)
		count = 0;
	memcpy(hklList, answer.hklList, (size_t)count * sizeof *hklList);
	return count;
}
