#ifndef KBLAYOUTS_QUERY_H
#define KBLAYOUTS_QUERY_H

#include <stdint.h>

// The one thing each platform supplies: its list of loaded keyboard
// layouts, shaped like GetKeyboardLayoutList. A query fills at most capacity
// identifiers into hklList, in the platform's order, and returns how many it
// placed; it returns 0 when it fails. The program asks once, with
// MAX_LAYOUTS slots.
enum { MAX_LAYOUTS = 64 };

typedef int (*LayoutQuery)(int capacity, uint32_t *hklList);

int QueryLayouts(int capacity, uint32_t *hklList);

#endif
