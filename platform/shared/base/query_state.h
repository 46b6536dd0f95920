#ifndef KBLAYOUTS_QUERY_STATE_H
#define KBLAYOUTS_QUERY_STATE_H

#include <time.h>

struct Query;
struct SdBus;
struct sd_bus;

// A connection to a bus: sd-bus's functions, its handle, and the query
// whose deadline its calls keep.
struct BusConnection {
	const SdBus *sd;
	sd_bus *bus;
	const Query *query;
};

// One query of the session's layouts, which the session gives each source
// it asks: when every wait ends, whether the layout in use is asked, and
// what the query learns once, the first time a source needs it. Nothing
// of it outlives the query (deadline.h).
struct Query {
	struct timespec deadline;
	bool asksActive;
	// The session bus (session_bus.h); its sd is NULL where there is none.
	bool sessionBusTried;
	BusConnection sessionBus;
	// Whether the environment names an input method framework
	// (environment.h), and which program serves IBus (ibus_address.h):
	// -1 until learnt.
	int frameworkNamed;
	int ibusServer;
};

#endif
