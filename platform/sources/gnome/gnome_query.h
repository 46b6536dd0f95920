#ifndef KBLAYOUTS_GNOME_QUERY_H
#define KBLAYOUTS_GNOME_QUERY_H

#include <stdint.h>

// The layouts of GNOME's list of input sources, GSettings
// org.gnome.desktop.input-sources, which GNOME, Budgie, Pantheon and Unity
// keep and their keymaps only partly show, shaped like QueryLayouts, in
// *count; an empty list is GNOME's fallback "us". Returns false, with
// nothing reported, where the setting cannot be read (no libgio, no
// schema, a value of another type).
bool QueryGnomeSources(int capacity, uint32_t *hklList, int *count);

// The same of Cinnamon's own list, org.cinnamon.desktop.input-sources,
// where an empty list leaves the keymap as it is: false where its list
// names no layout.
bool QueryCinnamonSources(int capacity, uint32_t *hklList, int *count);

#endif
