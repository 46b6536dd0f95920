#ifndef KBLAYOUTS_IBUS_QUERY_H
#define KBLAYOUTS_IBUS_QUERY_H

#include "found_layouts.h"
#include "query_state.h"

// The layouts of IBus's engines, as its panel lists them (its
// preload-engines setting), where IBus runs, and where asked, the engine's
// in use. Returns false where it does not or the list names no engine
// IBus offers.
bool QueryIbusLayouts(Query *query, FoundLayouts *found);

#endif
