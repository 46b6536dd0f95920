#ifndef KBLAYOUTS_DESKTOPS_H
#define KBLAYOUTS_DESKTOPS_H

#include "found_layouts.h"
#include "query_state.h"

// The layouts of the list the session's desktop keeps of its own, which
// its keymap only partly shows, and where asked, the one in use. Returns
// false in a desktop that keeps none, and where its list cannot be read
// or names no layout.
bool QueryDesktopLayouts(Query *query, FoundLayouts *found);

// Whether the desktop's list holds the input methods the user switches
// between too, IBus's engines among them, so that IBus's own list is not
// the one its switcher shows.
bool DesktopListsInputMethods();

#endif
