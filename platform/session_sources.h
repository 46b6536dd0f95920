#ifndef KBLAYOUTS_SESSION_SOURCES_H
#define KBLAYOUTS_SESSION_SOURCES_H

#include <stdint.h>

// A source of a Linux session's layouts: it answers, shaped like
// QueryLayouts, in *count, or returns false to leave the answer to the
// next. Whether it may load GLib, whose threads then run beside the query.
struct SessionSource {
	bool (*ask)(int capacity, uint32_t *hklList, int *count);
	bool usesGlib;
};

extern const SessionSource SESSION_SOURCES[];
extern const int SESSION_SOURCE_COUNT;

#endif
