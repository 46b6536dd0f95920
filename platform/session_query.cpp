#include "query.h"

#include <malloc.h>
#include <pthread.h>
#include <sched.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "deadline.h"
#include "environment.h"
#include "gio.h"
#include "machine_query.h"
#include "session_sources.h"

// The processor the main thread waits on.
static int waitingProcessor = -1;

// Keeps the worker on the processor the main thread waits on, and in its
// heap: each change to the memory map of a process whose threads run on
// several processors interrupts the others, and a thread's first malloc
// would map a heap of its own. In a virtual machine that costs more than a
// display server's answer. GLib's threads are better left to spread.
static void StayWithTheWaitingThread()
{
	cpu_set_t processors;

	mallopt(M_ARENA_MAX, 1);
	if (waitingProcessor < 0)
		return;
	CPU_ZERO(&processors);
	CPU_SET(waitingProcessor, &processors);
	sched_setaffinity(0, sizeof processors, &processors);
}

// What the worker found. A worker that misses the deadline is left where
// it is and may still write here, so this outlives the query.
static struct {
	pthread_mutex_t lock;
	pthread_cond_t done;
	bool finished;
	bool ranGlib;
	int count;
	uint32_t hklList[MAX_LAYOUTS];
} answer = {PTHREAD_MUTEX_INITIALIZER, PTHREAD_COND_INITIALIZER, false, false, 0, {}};

static bool leftBehind;

// A Linux session's layouts: the first answer of its sources.
static void *Work(void *)
{
	int count = 0;

	for (int i = 0; i < SESSION_SOURCE_COUNT; i++) {
		const SessionSource *source = &SESSION_SOURCES[i];
		if (!source->usesGlib && !GioLoaded())
			StayWithTheWaitingThread();
		if (source->ask(MAX_LAYOUTS, answer.hklList, &count))
			break;
	}
	pthread_mutex_lock(&answer.lock);
	answer.count = count;
	answer.ranGlib = GioLoaded();
	answer.finished = true;
	pthread_cond_signal(&answer.done);
	pthread_mutex_unlock(&answer.lock);
	return NULL;
}

// Whether the environment names a session to ask. Without one (a text
// console, an SSH login) the layouts are the machine's configuration: a few
// small files, with nothing to wait for and no worker.
static bool SessionNamed()
{
	return getenv("XDG_CURRENT_DESKTOP") || WaylandNamed() || getenv("DISPLAY");
}

// A worker left behind must not have the libraries' clean-up run under
// it: the process then ends as soon as the report is out. Registered
// before main, this runs after the report's flush at exit.
static void EndIfLeftBehind()
{
	if (leftBehind)
		_exit(0);
}

[[maybe_unused]] static const int endRegistered = atexit(EndIfLeftBehind);

// The libraries wait inside their own calls, connecting above all (a TCP
// host that does not answer, a server that never sets the connection up),
// so the query runs on a worker while this thread waits for it until the
// deadline. Nothing is interrupted: a late worker is left behind, and the
// query has failed. A worker that ran GLib is left behind too: GLib's
// threads and state take longer to wind down than the query took.
int QueryLayouts(int capacity, uint32_t *hklList)
{
	pthread_t worker;

	if (!SessionNamed())
		return QueryMachineLayouts(capacity, hklList);
	StartDeadline();
	waitingProcessor = sched_getcpu();
	if (pthread_create(&worker, NULL, Work, NULL) != 0)
		return 0;
	pthread_mutex_lock(&answer.lock);
	while (!answer.finished && WaitSignalled(&answer.done, &answer.lock))
		continue;
	bool finished = answer.finished;
	leftBehind = !finished || answer.ranGlib;
	pthread_mutex_unlock(&answer.lock);
	if (!finished)
		return 0;
	if (!leftBehind)
		pthread_join(worker, NULL);
	int count = answer.count < capacity ? answer.count : capacity;
	if (count < 0)
		count = 0;
	memcpy(hklList, answer.hklList, (size_t)count * sizeof *hklList);
	return count;
}
