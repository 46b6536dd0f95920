#ifndef KBLAYOUTS_WAYLAND_QUERY_H
#define KBLAYOUTS_WAYLAND_QUERY_H

#include "found_layouts.h"
#include "wayland_wire.h"

// The layouts of the Wayland compositor's keymap, in group order, even
// none: Wayland tells a client without a window nothing of the layout in
// use. Returns false, with nothing done, where there is no compositor to
// ask: neither WAYLAND_DISPLAY nor a WAYLAND_SOCKET the process takes
// names one that takes the connection.
bool QueryWaylandLayouts(const Query *query, FoundLayouts *found);

// The layouts of the keymap the compositor on a connection sends its
// first seat's keyboard.
void QueryCompositor(WireConnection *connection, FoundLayouts *found);

#endif
