#ifndef KBLAYOUTS_WAYLAND_QUERY_H
#define KBLAYOUTS_WAYLAND_QUERY_H

#include <stdint.h>

#include "wayland_wire.h"

// The layouts of the Wayland compositor's keymap, shaped like QueryLayouts,
// in *count. Returns false, with nothing done, where there is no
// compositor to ask: neither WAYLAND_DISPLAY nor WAYLAND_SOCKET names one
// that takes the connection.
bool QueryWaylandLayouts(int capacity, uint32_t *hklList, int *count);

// The layouts of the keymap the compositor on a connection sends its
// first seat's keyboard, shaped like QueryLayouts.
int QueryCompositor(WireConnection *connection, int capacity, uint32_t *hklList);

#endif
