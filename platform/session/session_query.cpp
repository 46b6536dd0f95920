#include "query.h"

#include <stdlib.h>

#include "deadline.h"
#include "environment.h"
#include "machine_query.h"
#include "session_bus.h"
#include "session_sources.h"

// Whether the environment names a session to ask. Without one (a text
// console, an SSH login) the layouts are the machine's configuration: a few
// small files, with nothing to wait for. Every variable is read with
// secure_getenv, so that a privileged process (setuid, setgid, file
// capabilities) opens no path, socket or bus on its caller's word: it
// names no session.
static bool SessionNamed()
{
	return secure_getenv("XDG_CURRENT_DESKTOP") || WaylandNamed() || secure_getenv("DISPLAY");
}

static int AskSessionSources(int capacity, uint32_t *hklList)
{
	int count = 0;

	for (int i = 0; i < SESSION_SOURCE_COUNT && MillisecondsLeft() > 0; i++) {
		const SessionSource *source = &SESSION_SOURCES[i];
		if (source->answersFor() && source->ask(capacity, hklList, &count))
			return count;
	}
	return 0;
}

// The sources in order, until one answers or the deadline passes, when the
// query has failed. Nothing stays open after it.
int QueryLayouts(int capacity, uint32_t *hklList)
{
	if (!StartQuery())
		return 0;
	int count = SessionNamed() ? AskSessionSources(capacity, hklList)
	    : QueryMachineLayouts(capacity, hklList);
	CloseSessionBus();
	EndQuery();
	return count;
}
