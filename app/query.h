#ifndef KBLAYOUTS_QUERY_H
#define KBLAYOUTS_QUERY_H

#include <stdint.h>

// The platform's list of loaded keyboard layouts, shaped like
// GetKeyboardLayoutList: fills up to capacity identifiers and returns how
// many it placed, or 0 on failure.
int QueryLayouts(int capacity, uint32_t *hklList);

#endif
