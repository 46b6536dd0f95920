#ifndef KBLAYOUTS_IBUS_QUERY_H
#define KBLAYOUTS_IBUS_QUERY_H

#include <stdint.h>

// The layouts of IBus's engines, as its panel lists them (its
// preload-engines setting), shaped like QueryLayouts, in *count, where the
// environment names an input method framework, IBus runs, and the desktop
// keeps no list of its own. Returns false, with nothing reported, where
// one of these is not so or the list names no engine IBus offers.
bool QueryIbusLayouts(int capacity, uint32_t *hklList, int *count);

#endif
