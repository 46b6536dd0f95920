#ifndef KBLAYOUTS_X11_QUERY_H
#define KBLAYOUTS_X11_QUERY_H

#include "found_layouts.h"
#include "x_wire.h"

// The layouts of the X server's keymap, in group order, and where the
// query asks, the group in use: XKB's effective group. False where the
// server cannot be reached or does not answer.
bool QueryXLayouts(Query *query, FoundLayouts *found);

// The same of the server on a connection that is set up.
bool QueryXServer(XConnection *connection, FoundLayouts *found);

#endif
