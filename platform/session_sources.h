#ifndef KBLAYOUTS_SESSION_SOURCES_H
#define KBLAYOUTS_SESSION_SOURCES_H

#include <stdint.h>

// A source of a Linux session's layouts: it answers, shaped like
// QueryLayouts, in *count, or returns false to leave the answer to the
// next. Whether it waits inside a library's calls, which set no limit on
// their waits, so that it runs on a worker the deadline can leave behind;
// the others wait only as long as the deadline lets them, or read local
// files.
struct SessionSource {
	bool (*ask)(int capacity, uint32_t *hklList, int *count);
	bool waitsInLibrary;
};

extern const SessionSource SESSION_SOURCES[];
extern const int SESSION_SOURCE_COUNT;

#endif
