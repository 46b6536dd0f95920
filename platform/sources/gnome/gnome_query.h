#ifndef KBLAYOUTS_GNOME_QUERY_H
#define KBLAYOUTS_GNOME_QUERY_H

#include "found_layouts.h"
#include "query_state.h"

// The layouts of GNOME's list of input sources, GSettings
// org.gnome.desktop.input-sources, which GNOME, Budgie, Pantheon and Unity
// keep and their keymaps only partly show; an empty list is GNOME's
// fallback "us". Where asked, the source in use is the first of its
// mru-sources that the list holds. Returns false where the setting cannot
// be read (no libgio, no schema, a value of another type).
bool QueryGnomeSources(Query *query, FoundLayouts *found);

// The same of Cinnamon's own list, org.cinnamon.desktop.input-sources,
// where an empty list leaves the keymap as it is: false where its list
// names no layout. Cinnamon keeps no recently used sources.
bool QueryCinnamonSources(Query *query, FoundLayouts *found);

#endif
