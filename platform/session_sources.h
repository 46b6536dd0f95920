#ifndef KBLAYOUTS_SESSION_SOURCES_H
#define KBLAYOUTS_SESSION_SOURCES_H

#include <stdint.h>

// Where a source is asked: on the main thread, where it waits only as long
// as the deadline lets it; or, where it may wait inside a library's calls,
// which set no limit, on a worker the deadline can leave behind, kept on
// the main thread's processor, or free to spread for GLib, whose threads
// start from it.
enum SourceThread { MAIN_THREAD, WORKER, GLIB_WORKER };

// A source of a Linux session's layouts: it answers, shaped like
// QueryLayouts, in *count, or returns false to leave the answer to the
// next.
struct SessionSource {
	bool (*ask)(int capacity, uint32_t *hklList, int *count);
	SourceThread thread;
	// Whether the session has what the source reads, told at once from
	// its environment; NULL where the source tells that itself.
	bool (*applies)();
};

extern const SessionSource SESSION_SOURCES[];
extern const int SESSION_SOURCE_COUNT;

#endif
