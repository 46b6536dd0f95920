#ifndef KBLAYOUTS_WAYLAND_QUERY_H
#define KBLAYOUTS_WAYLAND_QUERY_H

#include <stdint.h>

// The layouts of the Wayland compositor's keymap, shaped like QueryLayouts,
// in *count. Returns false, with nothing done, where there is no Wayland
// session to ask: neither WAYLAND_DISPLAY nor WAYLAND_SOCKET is set, or
// the connection fails.
bool QueryWaylandLayouts(int capacity, uint32_t *hklList, int *count);

#endif
