#ifndef KBLAYOUTS_DESKTOP_QUERY_H
#define KBLAYOUTS_DESKTOP_QUERY_H

#include <stdint.h>

// The layouts of the desktop's own list of input sources, which its keymap
// only partly shows, shaped like QueryLayouts, in *count: in GNOME and
// Budgie GNOME's input sources, where an empty list is GNOME's fallback
// "us"; in Cinnamon its own, where an empty list leaves the keymap as it
// is. Returns false, with nothing reported, in other desktops, where the
// setting cannot be read (no libgio, no schema, a value of another type),
// and in Cinnamon where its list names no layout.
bool QueryDesktopLayouts(int capacity, uint32_t *hklList, int *count);

// Whether the session is one of the desktops above, which keep the list of
// the input methods they show too.
bool DesktopKeepsList();

#endif
