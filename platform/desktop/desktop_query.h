#ifndef KBLAYOUTS_GNOME_QUERY_H
#define KBLAYOUTS_GNOME_QUERY_H

#include <stdint.h>

// The layouts of GNOME's input sources, shaped like QueryLayouts, in
// *count. Returns false, with nothing reported, outside a GNOME session
// (XDG_CURRENT_DESKTOP does not list GNOME) and where the setting cannot be
// read: no libgio, no schema, a value of another type.
bool QueryGnomeLayouts(int capacity, uint32_t *hklList, int *count);

#endif
