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

// Keeps a worker on the processor the main thread waits on, and in its
// heap: each change to the memory map of a process whose threads run on
// several processors interrupts the others, and a thread's first malloc
// would map a heap of its own. In a virtual machine that costs more than a
// display server's answer.
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
	bool answered;
	int count;
	uint32_t hklList[MAX_LAYOUTS];
} answer = {PTHREAD_MUTEX_INITIALIZER, PTHREAD_COND_INITIALIZER, false, false, 0, {}};

static bool leftBehind;

static void *Work(void *source)
{
	int count = 0;

	StayWithTheWaitingThread();
	bool answered = ((const SessionSource *)source)->ask(MAX_LAYOUTS, answer.hklList, &count);
	pthread_mutex_lock(&answer.lock);
	answer.answered = answered;
	answer.count = count;
	answer.finished = true;
	pthread_cond_signal(&answer.done);
	pthread_mutex_unlock(&answer.lock);
	return NULL;
}

// Asks the source on a worker while this thread waits for it until the
// deadline. Nothing is interrupted: a late worker is left behind, and the
// source has not answered.
static bool AskOnWorker(const SessionSource *source, uint32_t *hklList, int *count)
{
	pthread_t worker;

	waitingProcessor = sched_getcpu();
	if (pthread_create(&worker, NULL, Work, (void *)source) != 0)
		return false;
	pthread_mutex_lock(&answer.lock);
	while (!answer.finished && WaitSignalled(&answer.done, &answer.lock))
		continue;
	leftBehind = !answer.finished;
	pthread_mutex_unlock(&answer.lock);
	if (leftBehind)
		return false;
	pthread_join(worker, NULL);
	answer.finished = false;
	if (!answer.answered)
		return false;
	*count = answer.count;
	memcpy(hklList, answer.hklList, sizeof answer.hklList);
	return true;
}

// Whether the environment names a session to ask. Without one (a text
// console, an SSH login) the layouts are the machine's configuration: a few
// small files, with nothing to wait for.
static bool SessionNamed()
{
	return getenv("XDG_CURRENT_DESKTOP") || WaylandNamed() || getenv("DISPLAY");
}

// A worker left behind must not have the libraries' clean-up run under
// it, nor GLib's, whose state takes longer to wind down than the query
// took: the process then ends as soon as the report is out. Registered
// before main, this runs after the report's flush at exit.
static void EndIfLeftBehind()
{
	if (leftBehind || GioLoaded())
		_exit(0);
}

[[maybe_unused]] static const int endRegistered = atexit(EndIfLeftBehind);

// The sources in order, until one answers or the deadline passes, when the
// query has failed.
int QueryLayouts(int capacity, uint32_t *hklList)
{
	uint32_t found[MAX_LAYOUTS];
	int count = 0;

	if (!SessionNamed())
		return QueryMachineLayouts(capacity, hklList);
	StartDeadline();
	for (int i = 0; i < SESSION_SOURCE_COUNT && MillisecondsLeft() > 0; i++) {
		const SessionSource *source = &SESSION_SOURCES[i];
		bool answered = source->waitsInLibrary ? AskOnWorker(source, found, &count)
		    : source->ask(MAX_LAYOUTS, found, &count);
		if (!answered)
			continue;
		count = count < 0 ? 0 : count < capacity ? count : capacity;
		memcpy(hklList, found, (size_t)count * sizeof *hklList);
		return count;
	}
	return 0;
}
