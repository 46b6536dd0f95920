#ifndef KBLAYOUTS_SESSION_SOURCES_H
#define KBLAYOUTS_SESSION_SOURCES_H

#include <stdint.h>

// A source of a Linux session's layouts, asked where the session is one it
// answers for: it answers, shaped like QueryLayouts, in *count, or returns
// false to leave the answer to the next. Each waits only as long as the
// deadline lets it, or reads local files.
struct SessionSource {
	bool (*answersFor)();
	bool (*ask)(int capacity, uint32_t *hklList, int *count);
};

extern const SessionSource SESSION_SOURCES[];
extern const int SESSION_SOURCE_COUNT;

#endif
