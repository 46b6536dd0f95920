#ifndef KBLAYOUTS_DESKTOPS_H
#define KBLAYOUTS_DESKTOPS_H

#include <stdint.h>

// The layouts of the list the session's desktop keeps of its own, which
// its keymap only partly shows, shaped like QueryLayouts, in *count.
// Returns false, with nothing reported, in a desktop that keeps none, and
// where its list cannot be read or names no layout.
bool QueryDesktopLayouts(int capacity, uint32_t *hklList, int *count);

// Whether the desktop's list holds the input methods the user switches
// between too, IBus's engines among them, so that IBus's own list is not
// the one its switcher shows.
bool DesktopListsInputMethods();

#endif
