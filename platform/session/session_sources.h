#ifndef KBLAYOUTS_SESSION_SOURCES_H
#define KBLAYOUTS_SESSION_SOURCES_H

#include "found_layouts.h"
#include "query_state.h"

// A source of a Linux session's layouts, asked where the session is one it
// answers for: it answers with the layouts it found, and where the query
// asks, which is in use, or returns false to leave the answer to the next.
// Each waits only as long as the query's deadline lets it, or reads local
// files.
struct SessionSource {
	bool (*answersFor)(Query *query);
	bool (*ask)(Query *query, FoundLayouts *found);
};

extern const SessionSource SESSION_SOURCES[];
extern const int SESSION_SOURCE_COUNT;

#endif
