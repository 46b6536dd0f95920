#ifndef KBLAYOUTS_SESSION_QUERY_H
#define KBLAYOUTS_SESSION_QUERY_H

#include <stdint.h>

// The session's layouts, as QueryLayouts gives them, and where active is
// given, in *active the slot of the one in use: 0 where the session does
// not say. Where active is NULL, nothing is asked of which is in use.
int QuerySessionLayouts(int capacity, uint32_t *hklList, int *active);

#endif
