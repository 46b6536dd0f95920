#ifndef KBLAYOUTS_RUN_H
#define KBLAYOUTS_RUN_H

#include <stdint.h>

#include "../report/channel.h"

enum { MAX_LAYOUTS = 64 };

// Shaped like GetKeyboardLayoutList: fills up to capacity identifiers and
// returns how many it placed, or 0 on failure.
typedef int (*LayoutQuery)(int capacity, uint32_t *hklList);

// Queries the layouts once and writes the count line and one entry line per
// identifier, in the order the query listed them.
void ReportLayouts(LayoutQuery query, OutputChannel *out);

#endif
