#ifndef KBLAYOUTS_IBUS_QUERY_H
#define KBLAYOUTS_IBUS_QUERY_H

#include <stdint.h>

// The layouts of IBus's engines, as its panel lists them (its
// preload-engines setting), shaped like QueryLayouts, in *count, where
// IBus runs. Returns false, with nothing reported, where it does not or
// the list names no engine IBus offers.
bool QueryIbusLayouts(int capacity, uint32_t *hklList, int *count);

#endif
