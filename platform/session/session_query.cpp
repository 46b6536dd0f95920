#include "query.h"

#include <stdlib.h>

#include "deadline.h"
#include "environment.h"
#include "layout_identifiers.h"
#include "machine_query.h"
#include "session_bus.h"
#include "session_query.h"
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

static bool AskSessionSources(Query *query, FoundLayouts *found)
{
	for (int i = 0; i < SESSION_SOURCE_COUNT && MillisecondsLeft(query) > 0; i++) {
		const SessionSource *source = &SESSION_SOURCES[i];
		found->count = 0;
		found->active = NO_ACTIVE;
		if (source->answersFor(query) && source->ask(query, found))
			return true;
	}
	return false;
}

// The sources in order, until one answers or the deadline passes, when the
// query has failed. Nothing stays open after it. Identifiers are made
// here, for whichever source answered.
int QuerySessionLayouts(int capacity, uint32_t *hklList, int *active)
{
	Query query;
	FoundLayouts found = {0, NO_ACTIVE, {}};

	if (active)
		*active = 0;
	if (!StartQuery(&query, active != NULL))
		return 0;
	bool answered = true;
	if (SessionNamed())
		answered = AskSessionSources(&query, &found);
	else
		QueryMachineLayouts(&found);
	CloseSessionBus(&query);
	EndQuery(&query);
	return answered ? LayoutIdentifiers(&found, capacity, hklList, active) : 0;
}

int QueryLayouts(int capacity, uint32_t *hklList)
{
	return QuerySessionLayouts(capacity, hklList, NULL);
}
